#pragma once
// Windows of the other layers register themselves here under their window codes, so
// the shell creates them without knowing them. Until a code has a creator, its menu
// item and guide entries are disabled. Named start-up components (the search dialogs,
// the print dialog, ...) and menu commands of other layers register the same way.
#include <QString>

#include <functional>
#include <map>

namespace trevo::shell {

class ChildWindow;
class ShellServices;

using WindowCreator = std::function<ChildWindow*(ShellServices&)>;

class WindowRegistry {
public:
    // The registry the program uses.
    static WindowRegistry& instance();

    void addWindow(int code, WindowCreator creator);
    bool hasWindow(int code) const;
    // A new window of the code, or nullptr without creator.
    ChildWindow* createWindow(int code, ShellServices& shell) const;

    // Named operations: start-up components and menu commands.
    void addCommand(const QString& name, std::function<void()> command);
    bool hasCommand(const QString& name) const;
    // Runs the command; false when none is registered under the name.
    bool runCommand(const QString& name) const;

private:
    std::map<int, WindowCreator> windows_;
    std::map<QString, std::function<void()>> commands_;
};

// Names of the start-up components and commands the shell knows.
namespace Komponente {
inline const QString Datenbankfunktionen = QStringLiteral("Datenbankfunktionen");
inline const QString Druckdialog = QStringLiteral("Druckdialog");
inline const QString Reportgenerator = QStringLiteral("Reportgenerator");
inline const QString Suchdialog = QStringLiteral("Suchdialog");
inline const QString Bereichsdialog = QStringLiteral("Bereichsdialog");
inline const QString SuchenErsetzenDialog = QStringLiteral("SuchenErsetzenDialog");
// "Druckformulare (Reports) ändern" of the "Extras" menu.
inline const QString Reportauswahl = QStringLiteral("Reportauswahl");
} // namespace Komponente

} // namespace trevo::shell

// Registers a window class at program start: TREVO_REGISTER_WINDOW(5, Mitgliederform);
// the class needs a constructor taking ShellServices&. The layer's library must be
// linked completely (whole archive) for the registration to run.
#define TREVO_REGISTER_WINDOW(code, Class)                                                                   \
    static const bool trevoRegistered_##Class = [] {                                                         \
        ::trevo::shell::WindowRegistry::instance().addWindow(                                                \
            code, [](::trevo::shell::ShellServices& s) -> ::trevo::shell::ChildWindow* { return new Class(s); }); \
        return true;                                                                                         \
    }()
