#pragma once
// The program as main() assembles and starts it, over a small demo club in a temporary
// data folder, with every box and modal dialog answered by the test.
#include "app/zusammensetzung.h"
#include "common/dialogs/scripted_dialogs.h"
#include "data/store/demo_club.h"
#include "reports/druck/druckfunktion.h"
#include "shell/child_window.h"
#include "shell/guide_tree.h"
#include "shell/guide_window.h"
#include "shell/main_window.h"
#include "shell/program_paths.h"
#include "shell/stammdaten/modal.h"
#include "shell/startup.h"
#include "shell/window_registry.h"
#include "shell/wiring/programm.h"

#include <QDialog>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace trevo::app::test {

struct Programmlauf {
    common::ScriptedDialogs dialoge;
    common::DialogsScope scope{dialoge};
    shell::stammdaten::ModalSkript modal;
    QTemporaryDir folder;
    shell::ProgramPaths paths = shell::ProgramPaths::of(folder.path() + '/');
    shell::WindowRegistry registry;
    std::unique_ptr<shell::MainForm1> fenster = std::make_unique<shell::MainForm1>(registry);
    shell::MainForm1& main = *fenster;
    std::unique_ptr<shell::Programm> programm;
    std::unique_ptr<app::Zusammensetzung> zusammensetzung;
    int druckdialoge = 0;

    // Without `starten` the program is assembled but not started yet.
    explicit Programmlauf(bool starten = true)
    {
        {
            engine::Database db;
            data::DemoOptions demo;
            demo.years = 1;
            demo.bowlers = 6;
            data::createDemoClub(db, paths.dataFolder.toStdString(), demo);
        }
        programm = std::make_unique<shell::Programm>(main, paths);
        zusammensetzung = std::make_unique<app::Zusammensetzung>(registry, *programm, paths, main);
        auto& druck = dynamic_cast<reports::Druckfunktion&>(zusammensetzung->druckdienst());
        druck.zeigeModal = [this](QDialog&) {
            ++druckdialoge;
            return int(QDialog::Rejected);
        };
        if (starten) start();
    }

    // The start-up as main() runs it; vorSchritt sees each start step's text.
    void start()
    {
        shell::Startup startup(main, paths, *programm, programm.get(), registry);
        startup.onStep = [this](const QString& text) {
            if (vorSchritt) vorSchritt(text);
        };
        programm->setStartup(&startup);
        started = startup.run(1280);
        programm->setStartup(nullptr);
        dialoge.clear();
    }
    std::function<void(const QString&)> vorSchritt;

    // The windows go before the data module closes the tables, as in main().
    ~Programmlauf() { fenster.reset(); }

    shell::LotsenDlg* lotse() const { return main.guide(); }

    // Runs the node as a user does: selected in the tree, then Enter.
    void ausfuehren(const QStringList& pfad)
    {
        QTreeWidgetItem* item = lotse()->findNode(pfad);
        ASSERT_NE(item, nullptr) << pfad.join('/').toStdString();
        lotse()->TreeView1->setCurrentItem(item);
        QTest::keyClick(lotse()->TreeView1, Qt::Key_Return);
    }

    // Ends an entry the command started; the close question is answered with No, so
    // nothing is stored.
    void eingabeVerwerfen(int code)
    {
        shell::ChildWindow* w = main.Fensterobjekt(code);
        if (!w || !w->imEingabemodus()) return;
        dialoge.answer(common::Answer::No);
        w->programmendeErlaubt();
    }

    bool started = false;
};

} // namespace trevo::app::test
