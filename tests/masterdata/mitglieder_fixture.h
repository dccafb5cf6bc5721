#pragma once
// The members window inside a real main window, over a temporary club, registered the way
// the program registers it, with scripted answers to every question and scripted runs of
// the shared dialogs.
#include "common/dialogs/scripted_dialogs.h"
#include "common/fenster/window_codes.h"
#include "dbcontrols/db_check_box.h"
#include "dbcontrols/db_edit.h"
#include "dbcontrols/db_grid.h"
#include "dbcontrols/db_lookup_combo.h"
#include "engine/dataset/table_data_set.h"
#include "shell/stammdaten/registrierung.h"
#include "masterdata/mitglieder_form.h"
#include "shell/stammdaten/modal.h"
#include "masterdata/registrierung.h"
#include "shell/child_window.h"
#include "shell/druckdienst.h"
#include "shell/fensterdienste.h"
#include "shell/main_window.h"
#include "shell/window_registry.h"
#include "test_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace trevo::shell {
// Readable edit modes in test failures.
inline void PrintTo(Eingabemodus mode, std::ostream* os)
{
    switch (mode) {
    case Eingabemodus::Blaettern: *os << "Blaettern"; break;
    case Eingabemodus::Neu: *os << "Neu"; break;
    case Eingabemodus::KopierenUndAendern: *os << "KopierenUndAendern"; break;
    case Eingabemodus::Aendern: *os << "Aendern"; break;
    }
}
} // namespace trevo::shell

namespace trevo::masterdata::test {

using shell::Eingabemodus;
using shell::Lotsencode;

// The evening window's place holder: the window the members window goes back to. It
// counts the notifications that the items of the price lists changed.
class Abendfenster : public shell::ChildWindow, public shell::SonstigeAuffrischung {
public:
    explicit Abendfenster(shell::ShellServices& s) : ChildWindow(s) { setWindowTitle("Termine"); }
    void SonstigeGridAuffrischen() override { ++aufgefrischt; }
    int aufgefrischt = 0;
};

// The print facility's side the windows reach beyond lists: what was printed.
class Druckprotokoll : public shell::Druckdienst {
public:
    QString Reportdatei(const QString&, const QString& standard) const override { return standard; }
    void DruckeAuswertung(const QString& report) override { gedruckt << "Auswertung " + report; }
    void DruckeListe(const QString& report, const QString& path) override { gedruckt << report + " " + path; }
    void DruckeSpielliste() override { gedruckt << "Spielliste"; }
    void DruckeBlankoliste(const QString& report) override { gedruckt << "Blankoliste " + report; }
    QStringList gedruckt;
};

// The test club with the print facility once printing is switched on.
class VereinMitDruck : public TestVerein {
public:
    shell::Druckdienst* druckdienst() const override { return drucken ? &protokoll : nullptr; }
    mutable Druckprotokoll protokoll;
};

// A window of the program inside a real main window over the test club, registered the
// way the program registers it, with scripted answers to every question.
class ImHauptfenster : public ::testing::Test {
protected:
    // The main window with the evening window's place holder, then the window of the code
    // activated from there.
    shell::ChildWindow* fensterOeffnen(int code)
    {
        verein.host.fenster = [this](int c) { return main ? main->Fensterobjekt(c) : nullptr; };
        verein.oeffnen();
        registry.addWindow(common::Fenster::Termine,
                           [](shell::ShellServices& s) -> shell::ChildWindow* { return new Abendfenster(s); });
        registrieren(registry, verein, shell::stammdaten::suchdialogeRegistrieren(registry, verein));
        main = std::make_unique<shell::MainForm1>(registry);
        main->resize(1200, 800);
        main->show();
        main->FensterAktivieren(common::Fenster::Termine);
        main->FensterAktivieren(code);
        QApplication::processEvents();
        return main->Fensterobjekt(code);
    }

    void TearDown() override
    {
        // Every question had its answer, and no answer was left over.
        EXPECT_TRUE(script.problems().isEmpty()) << script.problems().join(" | ").toStdString();
        EXPECT_EQ(script.pendingAnswers(), 0u);
        verein.host.fenster = nullptr;
        main.reset();
    }

    // The evening window's place holder.
    Abendfenster& abend() { return *dynamic_cast<Abendfenster*>(main->Fensterobjekt(common::Fenster::Termine)); }

    // Types into an entry field the way a user does.
    void type(QWidget* field, const QString& text)
    {
        field->setFocus();
        QTest::keyClicks(field, text);
    }

    VereinMitDruck verein;
    common::ScriptedDialogs script;
    common::DialogsScope scope{script};
    shell::WindowRegistry registry;
    std::unique_ptr<shell::MainForm1> main;
};

class Mitglieder : public ImHauptfenster {
protected:
    // Bowlers written before the window opens; the default club has three.
    virtual void club()
    {
        schmidt = verein.bowler({"Schmidt", "Karl", "7"});
        adler = verein.bowler({"Adler", "Bernd", "12", false});
        mueller = verein.bowler({"Müller", "Anna", "3"});
    }

    void SetUp() override
    {
        club();
        w = static_cast<TMitgliederform*>(fensterOeffnen(common::Fenster::Mitglieder));
        ASSERT_NE(w, nullptr);
    }

    engine::TableDataSet& t() { return verein.kegler(); }
    Eingabemodus mode() const { return w->tag(); }
    std::string current(const char* field) { return t().text(field); }
    size_t fileRecords() { return verein.dateiInhalt("KEGLER.DBF").size(); }
    // Clicks the grid row showing the bowler of that NUMMER.
    void clickRow(int nummer)
    {
        for (size_t r = 0; r < t().recordCount(); ++r)
            if (t().rowValue(r, t().fieldIndex("NUMMER")).toNumber() == nummer) {
                const QRect cell = w->DBGrid1->visualRect(w->DBGrid1->model().index(static_cast<int>(r), 1));
                QTest::mouseClick(w->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
                return;
            }
        ADD_FAILURE() << "no row for " << nummer;
    }
    bool enabled(const QMenu* menu) const { return menu->menuAction()->isEnabled(); }

    TMitgliederform* w = nullptr;
    int schmidt = 0, adler = 0, mueller = 0;
};

} // namespace trevo::masterdata::test
