// The program's composition: every window layer is registered by name.
#include "app/zusammensetzung.h"
#include "common/dialogs/scripted_dialogs.h"
#include "common/fenster/window_codes.h"
#include "shell/main_window.h"
#include "shell/program_paths.h"
#include "shell/window_registry.h"
#include "shell/wiring/programm.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace trevo;

TEST(Zusammensetzung, RegistersEveryWindowAndStartComponentBuiltSoFar)
{
    common::ScriptedDialogs dialoge;
    common::DialogsScope scope(dialoge);
    QTemporaryDir folder;
    shell::ProgramPaths paths = shell::ProgramPaths::of(folder.path() + '/');
    shell::WindowRegistry registry;
    shell::MainForm1 main(registry);
    shell::Programm programm(main, paths);
    app::Zusammensetzung zusammensetzung(registry, programm, paths, main);

    EXPECT_EQ(registry.windowCodes(), (std::vector<int>{1, 5, 6, 9, 10, 11, 12, 13, 14, 15, 29, 100}));
    for (const QString& component :
         {shell::Komponente::Druckdialog, shell::Komponente::Suchdialog, shell::Komponente::Bereichsdialog,
          shell::Komponente::SuchenErsetzenDialog, shell::Komponente::Reportgenerator, shell::Komponente::Reportauswahl,
          shell::Komponente::Datensicherung, shell::Komponente::SicherungZurueckspielen})
        EXPECT_TRUE(registry.hasCommand(component)) << component.toStdString();
    main.updateMenuAvailability();
    EXPECT_TRUE(main.menuAction(QStringLiteral("Mitglieder/Gastkegler"))->isEnabled());
    EXPECT_TRUE(main.menuAction(QStringLiteral("Ämter"))->isEnabled());
    EXPECT_TRUE(main.menuAction(QStringLiteral("Terminarten"))->isEnabled());
    EXPECT_TRUE(main.menuAction(QStringLiteral("Währungen"))->isEnabled());
    EXPECT_TRUE(main.menuAction(QStringLiteral("Optionen"))->isEnabled());
    for (const char* item : {"Kegeldaten", "Spiele", "Sonstige Beträge", "Kegelkasse", "Terminplan", "SQL-Abfrage",
                             "Druckformulare (Reports) ändern", "Datensicherung ...",
                             "Datensicherung zurückspielen ..."})
        EXPECT_TRUE(main.menuAction(QString::fromUtf8(item))->isEnabled()) << item;
    EXPECT_TRUE(registry.hasSwitch(shell::Komponente::AutomatischSichern));
}
