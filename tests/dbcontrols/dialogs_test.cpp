// The scripted dialog service and the command guard.
#include "dbcontrols/command_guard.h"
#include "common/dialogs/dialogs.h"
#include "common/dialogs/scripted_dialogs.h"

#include "engine/core/error.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace trevo::controls;
using namespace trevo::common;

TEST(ScriptedDialogs, AnswersQuestionsInOrderAndRecordsEveryText)
{
    ScriptedDialogs script;
    DialogsScope scope(script);
    script.answer(Answer::No).answer(Answer::Cancel);

    dialogs().message("Die Daten sind nicht vollständig");
    EXPECT_FALSE(dialogs().yesNo("Programm beenden ?"));
    EXPECT_EQ(dialogs().yesNoCancel("Daten speichern ?"), Answer::Cancel);
    dialogs().error("Fehler");

    EXPECT_EQ(script.texts(),
              QStringList({"Die Daten sind nicht vollständig", "Programm beenden ?", "Daten speichern ?", "Fehler"}));
    EXPECT_EQ(script.shown()[0].kind, BoxKind::Message);
    EXPECT_EQ(script.shown()[1].buttons, Buttons::YesNo);
    EXPECT_EQ(script.shown()[3].kind, BoxKind::Error);
    EXPECT_TRUE(script.problems().isEmpty());
    EXPECT_EQ(script.pendingAnswers(), 0u);
}

TEST(ScriptedDialogs, QuestionWithoutFittingAnswerIsNotedAndAnsweredNegatively)
{
    ScriptedDialogs script;
    DialogsScope scope(script);
    EXPECT_FALSE(dialogs().yesNo("Datensatz löschen ?"));
    script.answer(Answer::Cancel); // Cancel is no answer to a Yes/No question
    EXPECT_FALSE(dialogs().yesNo("Programm beenden ?"));
    EXPECT_EQ(dialogs().yesNoCancel("Daten speichern ?"), Answer::Cancel);
    EXPECT_EQ(script.problems().size(), 3);
}

TEST(ScriptedDialogs, ScopeRestoresThePreviousService)
{
    ScriptedDialogs outer, inner;
    DialogsScope a(outer);
    {
        DialogsScope b(inner);
        dialogs().message("innen");
    }
    dialogs().message("außen");
    EXPECT_EQ(inner.texts(), QStringList{"innen"});
    EXPECT_EQ(outer.texts(), QStringList{"außen"});
}

TEST(ScriptedDialogs, ChoosersTakeTheirQueuedResults)
{
    ScriptedDialogs script;
    DialogsScope scope(script);
    script.choose(QString("/daten/")).choose(std::nullopt);
    EXPECT_EQ(dialogs().chooseFolder("/alt/"), QString("/daten/"));
    EXPECT_FALSE(dialogs().openFileName("Import", "/", "*.dbf").has_value());
    EXPECT_EQ(script.choosers(), QStringList({"/alt/", "Import"}));
    EXPECT_TRUE(script.problems().isEmpty());
}

TEST(CommandGuard, ShowsEngineAndConversionErrorsInTheErrorBox)
{
    ScriptedDialogs script;
    DialogsScope scope(script);
    EXPECT_FALSE(runGuarded([] { throw trevo::engine::ValueError("'abc' ist kein gültiger Gleitkommawert"); }));
    EXPECT_FALSE(runGuarded([] { throw std::runtime_error("Datei 'X' nicht gefunden"); }));
    EXPECT_FALSE(runGuarded([] { throw 42; }));
    EXPECT_TRUE(runGuarded([] {}));
    ASSERT_EQ(script.shown().size(), 3u);
    EXPECT_EQ(script.shown()[0].kind, BoxKind::Error);
    EXPECT_EQ(script.texts(), QStringList({"'abc' ist kein gültiger Gleitkommawert", "Datei 'X' nicht gefunden",
                                           "Unbekannter Fehler"}));
}

TEST(CommandGuard, NoExceptionLeavesAGuardedSlot)
{
    ScriptedDialogs script;
    DialogsScope scope(script);
    QPushButton button;
    int runs = 0;
    QObject::connect(&button, &QPushButton::clicked, &button, guarded([&runs] {
        ++runs;
        throw trevo::engine::IoError("Datei 'TERMINE.DBF' kann nicht geschrieben werden");
    }));
    button.click();
    button.click();
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(script.texts().size(), 2);
    EXPECT_EQ(script.texts().front(), "Datei 'TERMINE.DBF' kann nicht geschrieben werden");
}
