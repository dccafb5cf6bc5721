#pragma once
// The SQL window inside a real main window over the test club, registered the way the
// program registers it, with scripted answers to every box and file chooser. The
// program's working folder is the club's data folder unless a test moves it.
#include "common/dialogs/scripted_dialogs.h"
#include "common/fenster/window_codes.h"
#include "dbcontrols/db_grid.h"
#include "shell/child_window.h"
#include "shell/main_window.h"
#include "shell/please_wait_window.h"
#include "shell/stammdaten/registrierung.h"
#include "shell/window_registry.h"
#include "sqlwindow/abbruch.h"
#include "sqlwindow/registrierung.h"
#include "sqlwindow/sql_abfrage_form.h"
#include "support/testverein.h"

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace trevo::sqlwindow::test {

using namespace trevo::test;

// The evening window's place holder: the window "Schließen" goes back to.
class Abendfenster : public shell::ChildWindow {
public:
    explicit Abendfenster(shell::ShellServices& s) : ChildWindow(s) { setWindowTitle("Termine"); }
};

// Counts how often a widget was shown.
class ZeigenZaehler : public QObject {
public:
    int gezeigt = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show) ++gezeigt;
        return QObject::eventFilter(o, e);
    }
};

class SqlFenster : public ::testing::Test {
protected:
    void SetUp() override
    {
        schmidt = verein.bowler({"Schmidt", "Karl", "7"});
        adler = verein.bowler({"Adler", "Bernd", "12", false});
        mueller = verein.bowler({"Müller", "Anna", "3"});
        alterOrdner = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(verein.datenordner())));

        verein.host.fenster = [this](int c) { return main ? main->Fensterobjekt(c) : nullptr; };
        verein.oeffnen();
        registry.addWindow(common::Fenster::Termine,
                           [](shell::ShellServices& s) -> shell::ChildWindow* { return new Abendfenster(s); });
        registrieren(registry, verein, shell::stammdaten::suchdialogeRegistrieren(registry, verein));
        main = std::make_unique<shell::MainForm1>(registry);
        main->resize(1200, 800);
        main->show();
        main->FensterAktivieren(common::Fenster::Termine);
        main->menuAction(QStringLiteral("SQL-Abfrage"))->trigger();
        QApplication::processEvents();
        w = dynamic_cast<TSQLAbfrageForm*>(main->Fensterobjekt(common::Fenster::SQLAbfrage));
        ASSERT_NE(w, nullptr);
        w->Wartefenster->installEventFilter(&bitteWarten);
    }

    void TearDown() override
    {
        EXPECT_TRUE(script.problems().isEmpty()) << script.problems().join(" | ").toStdString();
        EXPECT_EQ(script.pendingAnswers(), 0u);
        verein.host.fenster = nullptr;
        main.reset();
        QDir::setCurrent(alterOrdner);
    }

    // Types the statement into the memo the way a user does and clicks the button.
    void ausfuehren(const QString& anweisung, QPushButton* knopf = nullptr)
    {
        tippen(anweisung);
        QTest::mouseClick(knopf ? knopf : w->AbfrageStartenBtn, Qt::LeftButton);
    }

    // Types into the empty memo, pressing Enter at each line break.
    void tippen(const QString& text)
    {
        w->Memo1->clear();
        w->Memo1->setFocus();
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) QTest::keyClick(w->Memo1, Qt::Key_Return);
            QTest::keyClicks(w->Memo1, lines[i]);
        }
    }

    int zeilen() { return w->DBGrid1->model().rowCount(); }
    int spalten() { return w->DBGrid1->model().columnCount(); }
    QString zelle(int row, int column)
    {
        return w->DBGrid1->model().data(w->DBGrid1->model().index(row, column), Qt::DisplayRole).toString();
    }
    QString titel(int column)
    {
        return w->DBGrid1->model().headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    QString status() { return w->StatusBar1->currentMessage(); }
    QStringList fehler()
    {
        QStringList texte;
        for (const auto& s : script.shown())
            if (s.kind == common::BoxKind::Error) texte << s.text;
        return texte;
    }

    TestVerein verein;
    common::ScriptedDialogs script;
    common::DialogsScope scope{script};
    shell::WindowRegistry registry;
    std::unique_ptr<shell::MainForm1> main;
    ZeigenZaehler bitteWarten;
    TSQLAbfrageForm* w = nullptr;
    QString alterOrdner;
    int schmidt = 0, adler = 0, mueller = 0;
};

} // namespace trevo::sqlwindow::test
