#pragma once
// The cash book inside a real main window over the test club, registered the way the
// program registers it, with scripted answers to every question. The balance is read
// from the account record in KONTOINF.DBF as the file holds it.
#include "cashbook/konto_form.h"
#include "cashbook/registrierung.h"
#include "common/dialogs/scripted_dialogs.h"
#include "common/fenster/window_codes.h"
#include "dbcontrols/db_edit.h"
#include "dbcontrols/db_grid.h"
#include "engine/dataset/table_data_set.h"
#include "engine/dbf/dbf_table.h"
#include "shell/child_window.h"
#include "shell/main_window.h"
#include "shell/stammdaten/registrierung.h"
#include "shell/window_registry.h"
#include "support/testverein.h"

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace trevo::cashbook::test {

using common::Answer;
using engine::Value;
using shell::Eingabemodus;
using shell::Lotsencode;

// The evening window's place holder: the window the cash book goes back to.
class Abendfenster : public shell::ChildWindow {
public:
    explicit Abendfenster(shell::ShellServices& s) : ChildWindow(s) { setWindowTitle("Termine"); }
};

class Kasse : public ::testing::Test {
protected:
    // Records written before the window opens; the installed club has account 1 with no
    // opening balance on 1.1.1990 and no bookings.
    virtual void club() {}

    void SetUp() override
    {
        club();
        verein.host.fenster = [this](int c) { return main ? main->Fensterobjekt(c) : nullptr; };
        verein.oeffnen();
        registry.addWindow(common::Fenster::Termine,
                           [](shell::ShellServices& s) -> shell::ChildWindow* { return new Abendfenster(s); });
        registrieren(registry, verein, shell::stammdaten::suchdialogeRegistrieren(registry, verein));
        main = std::make_unique<shell::MainForm1>(registry);
        main->resize(1200, 800);
        main->show();
        main->FensterAktivieren(common::Fenster::Termine);
        main->FensterAktivieren(common::Fenster::Kegelkasse);
        QApplication::processEvents();
        w = dynamic_cast<TKontoform*>(main->Fensterobjekt(common::Fenster::Kegelkasse));
        ASSERT_NE(w, nullptr);
    }

    void TearDown() override
    {
        EXPECT_TRUE(script.problems().isEmpty()) << script.problems().join(" | ").toStdString();
        EXPECT_EQ(script.pendingAnswers(), 0u);
        verein.host.fenster = nullptr;
        main.reset();
    }

    engine::TableDataSet& t() { return *w->tabelle(); }
    Eingabemodus mode() const { return w->tag(); }

    // A booking written straight into KONTO.DBF; returns its NUMMER.
    int buchung(int y, int m, int d, double betrag, std::vector<std::pair<std::string, Value>> more = {})
    {
        more.insert(more.begin(), {{"DATUM", Value::date(engine::daysFromCivil(y, m, d))},
                                   {"BETRAG", Value::number(betrag)},
                                   {"KONTONR", Value::number(1)}});
        return verein.satz("KONTO.DBF", more);
    }
    // Account 1's field as the file holds it; nothing when the account has no record.
    std::optional<Value> konto(const std::string& field)
    {
        engine::Database fresh;
        auto k = fresh.table(verein.pfad("KONTOINF.DBF"));
        for (uint32_t i = 0; i < k->recordCount(); ++i)
            if (!k->isDeleted(i) && k->get(i, k->fieldIndex("KONTONR")).toNumber() == 1)
                return k->get(i, k->fieldIndex(field));
        return std::nullopt;
    }
    double kontostand()
    {
        const auto v = konto("KONTOSTAND");
        EXPECT_TRUE(v.has_value()) << "account 1 has no record";
        return v ? v->toNumber() : -99999;
    }
    size_t accountRecords() { return verein.dateiInhalt("KONTOINF.DBF").size(); }
    size_t bookings() { return verein.dateiInhalt("KONTO.DBF").size(); }
    std::string stored(int nummer, const std::string& field) { return verein.feldIn("KONTO.DBF", nummer, field); }

    void type(QWidget* field, const QString& text)
    {
        field->setFocus();
        QTest::keyClicks(field, text);
    }
    // Types a booking into the open entry: date and amount, leaving each field with Enter.
    void enter(const QString& datum, const QString& betrag)
    {
        type(w->DatumDBEdit2, datum);
        QTest::keyClick(w->DatumDBEdit2, Qt::Key_Return);
        type(w->BetragDBEdit3, betrag);
        QTest::keyClick(w->BetragDBEdit3, Qt::Key_Return);
    }
    void save(Answer a = Answer::Yes)
    {
        script.answer(a);
        QTest::mouseClick(w->EingabebeendenBitBtn1, Qt::LeftButton);
    }
    void gotoNumber(int nummer)
    {
        ASSERT_TRUE(t().locate("NUMMER", Value::number(nummer))) << "no booking " << nummer;
    }

    trevo::test::TestVerein verein;
    common::ScriptedDialogs script;
    common::DialogsScope scope{script};
    shell::WindowRegistry registry;
    std::unique_ptr<shell::MainForm1> main;
    TKontoform* w = nullptr;
};

} // namespace trevo::cashbook::test
