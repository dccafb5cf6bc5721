#pragma once
// The other-items window inside a real main window over a club with two price lists, the
// first of them used by an evening, registered the way the program registers it.
#include "mitglieder_fixture.h"
#include "masterdata/sonstige_form.h"

#include "dbcontrols/db_navigator.h"
#include "engine/storage/session.h"

#include <QAction>
#include <QPushButton>

namespace trevo::masterdata::test {

inline constexpr char listenDbf[] = "SONSTYP0.DBF";
inline constexpr char detailDbf[] = "SONSTYPE.DBF";

class Sonstige : public ImHauptfenster {
protected:
    // Records written before the window opens.
    virtual void club()
    {
        using engine::Value;
        verein.leeren(listenDbf);
        verein.leeren(detailDbf);
        dm = verein.satz("WAEHRUNGEN.DBF",
                         {{"NAME", Value::text("Deutsche Mark")}, {"KUERZEL", Value::text("DM")},
                          {"FAKTOR", Value::number(1.95583)}});
        liste2024 = verein.satz(listenDbf, {{"DATUM", Value::date(engine::daysFromCivil(2024, 1, 1))},
                                            {"WAEHRUNG", Value::number(1)}, {"BEITRAG", Value::number(5)}});
        liste2025 = verein.satz(listenDbf, {{"DATUM", Value::date(engine::daysFromCivil(2025, 1, 1))},
                                            {"WAEHRUNG", Value::number(1)}});
        bier = item("Bier", 1.5, liste2024);
        pudel = item("Pudel", 0.2, liste2024);
        runde = item("Runde", 2, liste2024, 2);
        cola = item("Cola", 1.8, liste2025);
        // An evening of the first list in which a beer was drunk.
        verein.satz("TERMINE.DBF", {{"DATUM", Value::date(engine::daysFromCivil(2024, 2, 2))},
                                    {"PREISLISTE", Value::number(liste2024)}});
        verein.satz("SONSTKEG.DBF", {{"KEGLERNR", Value::number(1)}, {"TYP", Value::number(bier)},
                                     {"ANZAHL", Value::number(2)}, {"TERMIN", Value::number(1)}});
    }
    int item(const std::string& name, double price, int list, int payer = 1)
    {
        using engine::Value;
        return verein.satz(detailDbf, {{"BEZEICHNUN", Value::text(name)}, {"EINZELPREI", Value::number(price)},
                                       {"PREISLISTE", Value::number(list)}, {"GUELTIG", Value::number(payer)},
                                       {"MITTELWERT", Value::logical(true)}});
    }

    void SetUp() override
    {
        club();
        w = dynamic_cast<TSonstigeform*>(fensterOeffnen(common::Fenster::Sonstige));
        ASSERT_NE(w, nullptr);
    }

    engine::TableDataSet& items() { return *w->tabelle(); }
    engine::TableDataSet& lists() { return *w->preislisten(); }
    engine::Session& session() { return lists().session(); }
    Eingabemodus mode() const { return w->tag(); }
    // The NUMMERs of a data set in its order, as its grid shows them.
    static std::vector<int> numbers(engine::DataSet& ds)
    {
        std::vector<int> out;
        for (size_t r = 0; r < ds.recordCount(); ++r)
            out.push_back(static_cast<int>(ds.rowValue(r, ds.fieldIndex("NUMMER")).toNumber()));
        return out;
    }
    size_t records(const char* file) { return verein.dateiInhalt(file).size(); }
    std::string item(int nummer, const std::string& field) { return verein.feldIn(detailDbf, nummer, field); }
    std::string list(int nummer, const std::string& field) { return verein.feldIn(listenDbf, nummer, field); }
    void gotoList(int nummer) { ASSERT_TRUE(lists().locate("NUMMER", engine::Value::number(nummer))); }
    void gotoItem(int nummer) { ASSERT_TRUE(items().locate("NUMMER", engine::Value::number(nummer))); }
    // Replaces what a field shows by the typed text.
    void retype(QWidget* field, const QString& text)
    {
        field->setFocus();
        if (auto* e = qobject_cast<QLineEdit*>(field)) e->selectAll();
        QTest::keyClicks(field, text);
    }
    void save(common::Answer answer = common::Answer::Yes)
    {
        script.answer(answer);
        QTest::mouseClick(w->EingabebeendenBitBtn1, Qt::LeftButton);
    }

    TSonstigeform* w = nullptr;
    int dm = 0, liste2024 = 0, liste2025 = 0, bier = 0, pudel = 0, runde = 0, cola = 0;
};

} // namespace trevo::masterdata::test
