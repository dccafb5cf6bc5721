// The currencies window: entering and copying currencies, the warning before every change
// and the currencies that may not be deleted, checked in WAEHRUNGEN.DBF.
#include "test_support.h"
#include "codetabellen_fixture.h"
#include "masterdata/waehrungen_form.h"

namespace trevo::masterdata::test {
namespace {

using common::Answer;
using engine::Value;

inline constexpr char waehrungenDbf[] = "WAEHRUNGEN.DBF";
const QString warnung =
    QStringLiteral("Achtung ! Änderungen an den Währungen können sich auf gespeicherte Termine und Konten auswirken");
const QString verwendet =
    QStringLiteral("Der Datensatz darf nicht gelöscht werden. Die lfd.Nummer wird in einer anderen Tabelle verwendet");

class Waehrungen : public Codetabelle<TWaehrungsform, common::Fenster::Waehrungen, waehrungenDbf> {
protected:
    // The installed folder holds the euro (1) and a price list in euros.
    void club() override
    {
        dm = waehrung("Deutsche Mark", "DM", 1.95583);
        franken = waehrung("Schweizer Franken", "CHF", 0.94);
        verein.satz("SONSTYP0.DBF", {{"WAEHRUNG", Value::number(dm)}});
    }
    int waehrung(const std::string& name, const std::string& sign, double factor)
    {
        return verein.satz(waehrungenDbf, {{"NAME", Value::text(name)},
                                           {"KUERZEL", Value::text(sign)},
                                           {"FAKTOR", Value::number(factor)}});
    }
    // The look of the last box.
    common::BoxKind lastKind() const { return script.shown().back().kind; }
    int dm = 0, franken = 0;
};

TEST_F(Waehrungen, NewCurrencyIsStoredWithoutWarning)
{
    EXPECT_EQ(w->windowTitle(), "Währungen");
    QTest::mouseClick(w->ToolButton10, Qt::LeftButton);
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    EXPECT_EQ(QApplication::focusWidget(), w->NameDBEdit2);
    type(w->NameDBEdit2, "Pfund Sterling");
    type(w->KuerzelDBEdit3, "GBP");
    type(w->FaktorDBEdit4, "0,85");
    save();
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton);
    EXPECT_EQ(script.texts(), QStringList({"Daten speichern ?"}));
    EXPECT_EQ(stored(4, "NAME"), "Pfund Sterling");
    EXPECT_EQ(stored(4, "KUERZEL"), "GBP");
    EXPECT_EQ(verein.dateiInhalt(waehrungenDbf)[3][3].toNumber(), 0.85);
}

TEST_F(Waehrungen, CopyAndChangeOpensTheEntryWithTheCopy)
{
    gotoNumber(dm);
    w->Kopierenundndern1->trigger();
    EXPECT_EQ(mode(), Eingabemodus::KopierenUndAendern);
    EXPECT_EQ(t().text("NUMMER"), "4");
    EXPECT_EQ(t().text("NAME"), "Deutsche Mark");
    EXPECT_EQ(t().text("KUERZEL"), "DM");
    EXPECT_EQ(QApplication::focusWidget(), w->NameDBEdit2);
    type(w->NameDBEdit2, " (alt)");
    save();
    EXPECT_EQ(stored(4, "NAME"), "Deutsche Mark (alt)");
    EXPECT_EQ(stored(4, "KUERZEL"), "DM");
}

TEST_F(Waehrungen, WarnsBeforeEveryChange)
{
    gotoNumber(franken);
    QTest::mouseClick(w->ToolButton11, Qt::LeftButton);
    EXPECT_EQ(script.texts(), QStringList({warnung}));
    EXPECT_EQ(lastKind(), common::BoxKind::Warning);
    EXPECT_EQ(script.shown().back().buttons, common::Buttons::Ok);
    EXPECT_EQ(mode(), Eingabemodus::Aendern);
    type(w->NameDBEdit2, " (CH)");
    save();
    EXPECT_EQ(stored(franken, "NAME"), "Schweizer Franken (CH)");

    w->ndern1->trigger();
    EXPECT_EQ(script.texts(), QStringList({warnung, "Daten speichern ?", warnung}));
    EXPECT_EQ(mode(), Eingabemodus::Aendern);
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton);
}

TEST_F(Waehrungen, TheGuideDoesNotReachTheWindow)
{
    w->Lotsenbefehl(Lotsencode::Neueingabe);
    w->Lotsenbefehl(Lotsencode::Aendern);
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_TRUE(script.texts().isEmpty());
}

TEST_F(Waehrungen, TheEuroIsNeverDeleted)
{
    gotoNumber(1);
    w->Lschen2->trigger();
    EXPECT_EQ(script.texts(), QStringList({"Datensatz 1 kann nicht gelöscht werden."}));
    EXPECT_EQ(lastKind(), common::BoxKind::Message);
    EXPECT_EQ(stored(1, "NAME"), "Euro");
}

TEST_F(Waehrungen, ACurrencyOfAPriceListIsRefused)
{
    gotoNumber(dm);
    w->Lschen2->trigger();
    EXPECT_EQ(script.texts(), QStringList({verwendet}));
    EXPECT_EQ(stored(dm, "NAME"), "Deutsche Mark");
}

TEST_F(Waehrungen, AnUnusedCurrencyIsDeletedAfterAsking)
{
    gotoNumber(franken);
    script.answer(Answer::Yes);
    w->Lschen2->trigger();
    EXPECT_EQ(script.texts(), QStringList({"Datensatz löschen ?"}));
    EXPECT_EQ(stored(franken, "NAME"), "<fehlt>");
    EXPECT_EQ(fileRecords(), 2u);
}

class KeineWaehrungen : public Waehrungen {
protected:
    void club() override { verein.leeren(waehrungenDbf); }
};

TEST_F(KeineWaehrungen, ChangeOnAnEmptyTableWarnsAndStartsTheFirst)
{
    QTest::mouseClick(w->ToolButton11, Qt::LeftButton);
    EXPECT_EQ(script.texts(), QStringList({warnung}));
    EXPECT_EQ(mode(), Eingabemodus::Aendern);
    EXPECT_EQ(t().state(), engine::DataSetState::Insert);
    type(w->NameDBEdit2, "Euro");
    save();
    EXPECT_EQ(fileRecords(), 1u);
    EXPECT_EQ(stored(1, "NAME"), "Euro");
}

} // namespace
} // namespace trevo::masterdata::test
