#pragma once
// The windows of the other layers under their window codes, so that the shell creates
// them without knowing them. The program is assembled explicitly: each window layer has a
// function that registers its windows with the registry it is given, and the program's
// composition calls each of them by name. Until a code has a creator, its menu item and
// guide entries are disabled. Named start-up components (the search dialogs, the print
// dialog, ...) and menu commands of other layers are registered the same way.
#include <QString>

#include <functional>
#include <map>
#include <vector>

namespace trevo::shell {

class ChildWindow;
class ShellServices;

using WindowCreator = std::function<ChildWindow*(ShellServices&)>;

class WindowRegistry {
public:
    void addWindow(int code, WindowCreator creator);
    bool hasWindow(int code) const;
    // A new window of the code, or nullptr without creator.
    ChildWindow* createWindow(int code, ShellServices& shell) const;

    // Named operations: start-up components and menu commands.
    void addCommand(const QString& name, std::function<void()> command);
    bool hasCommand(const QString& name) const;
    // Runs the command through the command guard (an error ends it in the error box);
    // false when none is registered under the name or the command ended by an error.
    bool runCommand(const QString& name) const;
    // Named on/off settings that a menu shows as checkable items.
    void addSwitch(const QString& name, std::function<bool()> state, std::function<void(bool)> set);
    bool hasSwitch(const QString& name) const;
    bool switchState(const QString& name) const;
    void setSwitch(const QString& name, bool on) const;
    // The codes that have a creator, ascending.
    std::vector<int> windowCodes() const;

private:
    std::map<int, WindowCreator> windows_;
    std::map<QString, std::function<void()>> commands_;
    std::map<QString, std::pair<std::function<bool()>, std::function<void(bool)>>> switches_;
};

// Names of the start-up components and commands the shell knows.
namespace Komponente {
inline const QString Druckdialog = QStringLiteral("Druckdialog");
inline const QString Reportgenerator = QStringLiteral("Reportgenerator");
inline const QString Suchdialog = QStringLiteral("Suchdialog");
inline const QString Bereichsdialog = QStringLiteral("Bereichsdialog");
inline const QString SuchenErsetzenDialog = QStringLiteral("SuchenErsetzenDialog");
// "Druckformulare (Reports) ändern" of the "Extras" menu.
inline const QString Reportauswahl = QStringLiteral("Reportauswahl");
// The backups of the "Extras" menu.
inline const QString Datensicherung = QStringLiteral("Datensicherung");
inline const QString SicherungZurueckspielen = QStringLiteral("SicherungZurueckspielen");
inline const QString AutomatischSichern = QStringLiteral("AutomatischSichern");
} // namespace Komponente

} // namespace trevo::shell
