#pragma once
// The schedule inside a real main window over the test club, registered the way the
// program registers it, with scripted answers to every question and scripted runs of the
// modal dialogs.
#include "common/dialogs/scripted_dialogs.h"
#include "common/fenster/window_codes.h"
#include "dbcontrols/db_edit.h"
#include "dbcontrols/db_lookup_combo.h"
#include "engine/dataset/table_data_set.h"
#include "evenings/terminplan/terminplan_form.h"
#include "evenings/terminplan/terminplan_registrierung.h"
#include "shell/child_window.h"
#include "shell/main_window.h"
#include "shell/stammdaten/modal.h"
#include "shell/stammdaten/registrierung.h"
#include "shell/window_registry.h"
#include "support/testverein.h"

#include <QApplication>
#include <QDate>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace trevo::evenings::terminplan::test {

using common::Answer;
using engine::Value;
using shell::Eingabemodus;
using shell::Lotsencode;
using shell::stammdaten::ModalSkript;

// The evening window's place holder: the window the schedule goes back to.
class Abendfenster : public shell::ChildWindow {
public:
    explicit Abendfenster(shell::ShellServices& s) : ChildWindow(s) { setWindowTitle("Termine"); }
};

inline int32_t tagVonHeute(int tage)
{
    const QDate d = QDate::currentDate().addDays(tage);
    return engine::daysFromCivil(d.year(), d.month(), d.day());
}

class Terminplan : public ::testing::Test {
protected:
    // Records written before the window opens.
    virtual void club() {}

    void SetUp() override
    {
        club();
        verein.host.fenster = [this](int c) { return main ? main->Fensterobjekt(c) : nullptr; };
        verein.oeffnen();
        registry.addWindow(common::Fenster::Termine,
                           [](shell::ShellServices& s) -> shell::ChildWindow* { return new Abendfenster(s); });
        terminplanRegistrieren(registry, verein, shell::stammdaten::suchdialogeRegistrieren(registry, verein));
        main = std::make_unique<shell::MainForm1>(registry);
        main->resize(1200, 800);
        main->show();
        main->FensterAktivieren(common::Fenster::Termine);
        main->FensterAktivieren(common::Fenster::Terminplan);
        QApplication::processEvents();
        w = dynamic_cast<TTerminplanform*>(main->Fensterobjekt(common::Fenster::Terminplan));
        ASSERT_NE(w, nullptr);
    }

    void TearDown() override
    {
        EXPECT_TRUE(script.problems().isEmpty()) << script.problems().join(" | ").toStdString();
        EXPECT_EQ(script.pendingAnswers(), 0u);
        verein.host.fenster = nullptr;
        main.reset();
    }

    // An appointment written straight into TERMPLAN.DBF, dated days from today (no date
    // for nullopt), with its day number as the data module keeps it.
    int termin(std::optional<int> tage, const std::string& zeit = {}, const std::string& text = {},
               const std::string& bemerkung = {})
    {
        std::vector<std::pair<std::string, Value>> f = {{"ZEIT", Value::text(zeit)},
                                                        {"BESCHREIBU", Value::text(text)},
                                                        {"BEMERKUNGE", Value::text(bemerkung)},
                                                        {"STATUS", Value::number(2)}};
        f.emplace_back("TERMINNUM", Value::number(tage ? tagVonHeute(*tage) : 0));
        if (tage) f.emplace_back("TERMIN", Value::date(tagVonHeute(*tage)));
        return verein.satz("TERMPLAN.DBF", f);
    }
    int art(const std::string& text) { return verein.satz("TERMINTY.DBF", {{"BESCHREIBU", Value::text(text)}}); }

    engine::TableDataSet& t() { return *w->tabelle(); }
    Eingabemodus mode() const { return w->tag(); }
    size_t fileRecords() { return verein.dateiInhalt("TERMPLAN.DBF").size(); }
    std::string stored(int nummer, const std::string& field) { return verein.feldIn("TERMPLAN.DBF", nummer, field); }
    std::vector<int> numbersShown()
    {
        std::vector<int> out;
        for (size_t r = 0; r < t().recordCount(); ++r)
            out.push_back(static_cast<int>(t().rowValue(r, t().fieldIndex("NUMMER")).toNumber()));
        return out;
    }
    void gotoNumber(int nummer) { ASSERT_TRUE(t().locate("NUMMER", Value::number(nummer))) << "no record " << nummer; }
    void type(QWidget* field, const QString& text)
    {
        field->setFocus();
        QTest::keyClicks(field, text);
    }
    void save(Answer a = Answer::Yes)
    {
        script.answer(a);
        QTest::mouseClick(w->EingabebeendenBitBtn1, Qt::LeftButton);
    }
    bool zurueckSichtbar() const
    {
        QApplication::processEvents(); // the tool bar lays its buttons out when the events run
        return w->BereichzurueckToolButton->isVisibleTo(w);
    }

    trevo::test::TestVerein verein;
    common::ScriptedDialogs script;
    common::DialogsScope scope{script};
    shell::WindowRegistry registry;
    std::unique_ptr<shell::MainForm1> main;
    TTerminplanform* w = nullptr;
};

} // namespace trevo::evenings::terminplan::test
