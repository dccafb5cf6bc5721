#pragma once
// The evening window inside a real main window over the shared test club, registered the
// way the program registers it, with scripted answers to every question and scripted runs
// of the dialogs. The club has two items in price list 1 (Pudel 0,50, Bier 1,50) and three
// bowlers; the stored rows are read back from the files by a database of their own.
#include "common/dialogs/scripted_dialogs.h"
#include "common/fenster/window_codes.h"
#include "data/module/ke_data_form.h"
#include "data/store/schema.h"
#include "dbcontrols/db_edit.h"
#include "dbcontrols/db_lookup_combo.h"
#include "engine/dataset/table_data_set.h"
#include "evenings/abend_registrierung.h"
#include "evenings/terminform.h"
#include "shell/main_window.h"
#include "shell/stammdaten/modal.h"
#include "shell/stammdaten/registrierung.h"
#include "shell/window_registry.h"
#include "support/testverein.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <set>

namespace trevo::evenings::test {

using common::Answer;
using engine::Value;
using shell::Eingabemodus;

class Abend : public ::testing::Test {
protected:
    virtual void club()
    {
        pudel = verein.satz("SONSTYPE.DBF", {{"BEZEICHNUN", Value::text("Pudel")}, {"EINZELPREI", Value::number(0.5)},
                                             {"PREISLISTE", Value::number(1)}, {"GUELTIG", Value::number(1)}});
        bier = verein.satz("SONSTYPE.DBF", {{"BEZEICHNUN", Value::text("Bier")}, {"EINZELPREI", Value::number(1.5)},
                                            {"PREISLISTE", Value::number(1)}, {"GUELTIG", Value::number(1)}});
        schmidt = verein.bowler({"Schmidt", "Karl", "7"});
        adler = verein.bowler({"Adler", "Bernd", "12", false});
        mueller = verein.bowler({"Müller", "Anna", "3"});
    }

    void SetUp() override
    {
        club();
        verein.host.fenster = [this](int c) { return main ? main->Fensterobjekt(c) : nullptr; };
        verein.oeffnen();
        verein.modul().d().SonstigeMainTable1.first(); // start-up positions the current price list
        abendRegistrieren(registry, verein, shell::stammdaten::suchdialogeRegistrieren(registry, verein));
        main = std::make_unique<shell::MainForm1>(registry);
        main->resize(1280, 1000);
        main->show();
        main->FensterAktivieren(common::Fenster::Termine);
        QApplication::setActiveWindow(main.get());
        QApplication::processEvents();
        w = dynamic_cast<TTerminform*>(main->Fensterobjekt(common::Fenster::Termine));
        ASSERT_NE(w, nullptr);
    }

    void TearDown() override
    {
        EXPECT_TRUE(script.problems().isEmpty()) << script.problems().join(" | ").toStdString();
        EXPECT_EQ(script.pendingAnswers(), 0u);
        EXPECT_EQ(modal.pending(), 0u);
        verein.host.fenster = nullptr;
        main.reset();
    }

    // The main window is the active one again (the please-wait window takes that away).
    void aktiv()
    {
        QApplication::setActiveWindow(main.get());
        QApplication::processEvents();
    }

    // Keys to whatever has the focus, the way the user types them.
    void tippen(const QString& text)
    {
        for (QChar c : text) {
            aktiv();
            QWidget* f = QApplication::focusWidget();
            QTest::keyClick(f ? f : static_cast<QWidget*>(w), c.toLatin1());
        }
    }
    void taste(Qt::Key key)
    {
        aktiv();
        QWidget* f = QApplication::focusWidget();
        QTest::keyClick(f ? f : static_cast<QWidget*>(w), key);
    }

    // A new evening of that date, typed into the date field.
    void neuerAbend(const QString& datum = QStringLiteral("12.03.2024"))
    {
        w->Neueingabe1Click();
        ASSERT_EQ(w->tag(), Eingabemodus::Neu);
        aktiv();
        w->DatumDBEdit->setFocus();
        w->DatumDBEdit->selectAll();
        tippen(datum);
        taste(Qt::Key_Return);
    }

    // The bowler chosen in the bowler number field, as the first participant of the section
    // or, after "Teilnehmer einfügen", as the next one.
    void teilnehmer(int kegler, bool weiterer)
    {
        aktiv();
        if (weiterer) w->TeilnehmereinfuegenBitBtnClick();
        w->Keglernummeredit->setFocus();
        QApplication::processEvents();
        int row = -1;
        for (size_t r = 0; r < w->Keglernummeredit->listCount(); ++r)
            if (w->Keglernummeredit->itemText(static_cast<int>(r)).toInt() == kegler) row = static_cast<int>(r);
        ASSERT_GE(row, 0) << "no bowler " << kegler;
        w->Keglernummeredit->choose(row);
        w->Abschnittedit->setFocus(); // leaving the field labels the column
        QApplication::processEvents();
    }

    // Types the text into a cell of a grid and leaves it with Enter.
    void zelle(Eingabegitter* g, int col, int row, const QString& text, Qt::Key key = Qt::Key_Return)
    {
        aktiv();
        g->setFocus();
        g->setCurrent(col, row);
        QApplication::processEvents();
        tippen(text);
        taste(key);
        QApplication::processEvents();
    }

    void abschnitt(int n)
    {
        aktiv();
        w->Abschnittedit->setFocus();
        w->Abschnittedit->selectAll();
        tippen(QString::number(n));
    }

    // "Beenden" answered with Yes or No.
    void beenden(bool speichern)
    {
        script.answer(speichern ? Answer::Yes : Answer::No);
        w->OKBtnClick();
        EXPECT_EQ(w->tag(), Eingabemodus::Blaettern);
    }

    int feld(const char* file, const char* name) const
    {
        const auto& fields = data::tableSchema(file).fields;
        for (size_t i = 0; i < fields.size(); ++i)
            if (fields[i].name == name) return static_cast<int>(i);
        ADD_FAILURE() << "no field " << name;
        return 0;
    }

    static long ganz(const Value& v) { return v.isNull() ? 0 : std::lround(v.toNumber()); }

    // The bowler of each participant row in the file.
    std::map<long, long> keglerDerTeilnehmer() const
    {
        std::map<long, long> m;
        for (const auto& r : verein.dateiInhalt("KEGLTERM.DBF"))
            m[ganz(r[feld("KEGLTERM.DBF", "NUMMER")])] = ganz(r[feld("KEGLTERM.DBF", "KEGLER")]);
        return m;
    }

    // Stored game amounts as "T<evening> A<section> K<bowler> S<game>=<amount>".
    std::multiset<std::string> spiele() const { return gespeichert("SPIELKEG.DBF", "SPIELNR", "BETRAG", 'S'); }
    // Stored item counts as "T<evening> A<section> K<bowler> P<item>=<count>".
    std::multiset<std::string> sonstige() const { return gespeichert("SONSTKEG.DBF", "TYP", "ANZAHL", 'P'); }

    std::multiset<std::string> gespeichert(const char* file, const char* pos, const char* wert, char p) const
    {
        const auto kegler = keglerDerTeilnehmer();
        std::multiset<std::string> s;
        for (const auto& r : verein.dateiInhalt(file)) {
            const long t = ganz(r[feld(file, "KEGLERNR")]);
            const auto k = kegler.find(t);
            char wertText[32];
            std::snprintf(wertText, sizeof wertText, "%g", r[feld(file, wert)].toNumber());
            s.insert("T" + std::to_string(ganz(r[feld(file, "TERMIN")])) + " A" +
                     std::to_string(ganz(r[feld(file, "ABSCHNITT")])) + " K" +
                     (k == kegler.end() ? std::string("?") : std::to_string(k->second)) + " " + p +
                     std::to_string(ganz(r[feld(file, pos)])) + "=" + wertText);
        }
        return s;
    }

    size_t anzahl(const char* file) const { return verein.dateiInhalt(file).size(); }

    trevo::test::TestVerein verein;
    common::ScriptedDialogs script;
    common::DialogsScope scope{script};
    shell::stammdaten::ModalSkript modal;
    shell::WindowRegistry registry;
    std::unique_ptr<shell::MainForm1> main;
    TTerminform* w = nullptr;
    int pudel = 0, bier = 0, schmidt = 0, adler = 0, mueller = 0;
};

} // namespace trevo::evenings::test
