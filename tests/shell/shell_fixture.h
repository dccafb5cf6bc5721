#pragma once
// A main window with a registry of probe windows, answered by the scripted dialogs.
#include "shell/child_window.h"
#include "shell/main_window.h"
#include "common/dialogs/scripted_dialogs.h"
#include "common/fenster/window_codes.h"
#include "shell/window_registry.h"

#include <QMenu>

#include <vector>

#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace trevo::shell::test {

// A child window that records what the shell does with it.
class ProbeWindow : public ChildWindow {
public:
    ProbeWindow(ShellServices& shell, int code) : ChildWindow(shell), code(code)
    {
        setWindowTitle(common::windowCaption(code));
        auto* menu = new QMenu(QStringLiteral("&Eingabe"), this);
        menu->addAction(QStringLiteral("&Neueingabe"));
        setMenus({menu});
    }
    void Lotsenbefehl(Lotsencode command) override { commands.push_back(static_cast<int>(command)); }
    void FormActivate() override { ++activations; }
    void tabelleGefuellt(bool hatDatensaetze) override { filled.push_back(hatDatensaetze); }
    // A window in an edit mode answers the end of the program as its script says.
    bool programmendeErlaubt() override
    {
        ++endQuestions;
        if (allowEnd) setTag(Eingabemodus::Blaettern);
        return allowEnd;
    }

    int code;
    std::vector<int> commands;
    std::vector<bool> filled;
    int activations = 0;
    int endQuestions = 0;
    bool allowEnd = true;
};

struct ShellFixture {
    common::ScriptedDialogs script;
    common::DialogsScope scope{script};
    WindowRegistry registry;
    std::unique_ptr<MainForm1> main;
    int created = 0;

    explicit ShellFixture(std::initializer_list<int> codes = {1, 5, 6, 13, 14, 100})
    {
        for (int code : codes)
            registry.addWindow(code, [this, code](ShellServices& s) -> ChildWindow* {
                ++created;
                return new ProbeWindow(s, code);
            });
        main = std::make_unique<MainForm1>(registry);
        main->show();
    }

    ProbeWindow* probe(int code) { return static_cast<ProbeWindow*>(main->Fensterobjekt(code)); }
    int activeCode() { return main->activeCode(); }
    std::vector<int> history() { return main->history().entries(); }
};

} // namespace trevo::shell::test
