// The game types window: entering, copying, changing in the grid and deleting game types,
// checked in SPIELE.DBF, and its list printed by the print facility.
#include "test_support.h"
#include "codetabellen_fixture.h"
#include "masterdata/spielarten_form.h"

#include <QKeyEvent>

namespace trevo::masterdata::test {
namespace {

using common::Answer;
using engine::Value;

inline constexpr char spieleDbf[] = "SPIELE.DBF";

class Spielarten : public Codetabelle<TSpielartenform, common::Fenster::Spiele, spieleDbf> {
protected:
    void club() override
    {
        verein.leeren(spieleDbf);
        volle = verein.satz(spieleDbf, {{"NAME", Value::text("In die Vollen")}, {"BEMERKUNGE", Value::text("9 Kugeln")}});
        abraeumen = verein.satz(spieleDbf, {{"NAME", Value::text("Abräumen")}});
    }
    int volle = 0, abraeumen = 0;
};

TEST_F(Spielarten, WindowAsConfigured)
{
    EXPECT_EQ(w->windowTitle(), "Spiele");
    EXPECT_EQ(w->objectName(), "Spielartenform");
    EXPECT_EQ(numbersShown(), std::vector<int>({volle, abraeumen}));
    EXPECT_EQ(w->Schnellsuchlabel->text(), " Nummer suchen  ");
    EXPECT_EQ(w->ToolButton1, nullptr) << "no search next";
    EXPECT_EQ(w->DBGrid1->model().columnCount(), 2);
    EXPECT_EQ(w->DBGrid1->model().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Bezeichnung");
    EXPECT_EQ(w->DBMemo1->toPlainText(), "9 Kugeln");
    EXPECT_FALSE(w->NameDBEdit2->isEnabled());
    EXPECT_EQ(w->DatensatzeinfuegenBitBtn1->text(), "Datensatz einfügen");
}

TEST_F(Spielarten, NewRecordsWithoutNameAreStoredButAnUntouchedOneIsNot)
{
    w->Neueingabe1->trigger();
    EXPECT_EQ(t().text("NUMMER"), "3");
    EXPECT_EQ(QApplication::focusWidget(), w->NameDBEdit2);
    type(w->DBMemo1, "Nur eine Beschreibung");
    w->Neueingabe2->trigger(); // no completeness check: the record is stored as it is
    EXPECT_TRUE(script.texts().isEmpty());
    EXPECT_EQ(stored(3, "BEMERKUNGE"), "Nur eine Beschreibung");
    EXPECT_EQ(stored(3, "NAME"), "");
    EXPECT_EQ(t().text("NUMMER"), "4");

    // Nothing typed into the new record: it is dropped, not stored empty.
    w->Neueingabe2->trigger();
    w->Neueingabe1Click();
    EXPECT_EQ(t().text("NUMMER"), "4");
    EXPECT_EQ(fileRecords(), 3u);
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton);
    EXPECT_EQ(fileRecords(), 3u);
}

TEST_F(Spielarten, CopyAndChangeOpensTheEntryWithTheCopy)
{
    gotoNumber(volle);
    w->Kopierenundndern1->trigger();
    EXPECT_EQ(mode(), Eingabemodus::KopierenUndAendern);
    EXPECT_EQ(QApplication::focusWidget(), w->NameDBEdit2);
    EXPECT_EQ(t().text("NUMMER"), "3");
    type(w->NameDBEdit2, " 2");
    save();
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(stored(3, "NAME"), "In die Vollen 2");
    EXPECT_EQ(stored(3, "BEMERKUNGE"), "9 Kugeln");
    EXPECT_EQ(stored(volle, "NAME"), "In die Vollen");
}

TEST_F(Spielarten, ChangeOnAnEmptyTableStartsTheFirst)
{
    verein.leeren(spieleDbf);
    t().refresh();
    w->ndern1Click();
    EXPECT_EQ(mode(), Eingabemodus::Aendern);
    EXPECT_EQ(t().state(), engine::DataSetState::Insert);
    type(w->NameDBEdit2, "Kranz");
    save();
    EXPECT_EQ(stored(1, "NAME"), "Kranz");
}

TEST_F(Spielarten, AGameTypeOfAnEveningIsDeletedAfterAsking)
{
    verein.satz("SPIELKEG.DBF", {{"KEGLERNR", Value::number(1)}, {"SPIELNR", Value::number(volle)}});
    gotoNumber(volle);
    script.answer(Answer::Yes);
    w->Lschen2->trigger();
    EXPECT_EQ(script.texts(), QStringList({"Datensatz löschen ?"}));
    EXPECT_EQ(stored(volle, "NAME"), "<fehlt>");
}

TEST_F(Spielarten, TheGridChangesCellsInPlaceAndHasItsOwnKeys)
{
    auto& model = w->DBGrid1->model();
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable) << "the running number stays";
    ASSERT_TRUE(model.setData(model.index(1, 1), QStringLiteral("Abräumen 3x"), Qt::EditRole));
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(t().state(), engine::DataSetState::Edit) << "pending until another row is current";
    EXPECT_EQ(stored(abraeumen, "NAME"), "Abräumen");
    w->DBGrid1->setCurrentIndex(model.index(0, 1));
    EXPECT_EQ(stored(abraeumen, "NAME"), "Abräumen 3x");

    w->DBGrid1->setFocus();
    QTest::keyClick(w->DBGrid1, Qt::Key_Insert);
    EXPECT_EQ(t().state(), engine::DataSetState::Insert);
    EXPECT_EQ(model.rowCount(), 3);
    ASSERT_TRUE(model.setData(model.index(2, 1), QStringLiteral("Kranz"), Qt::EditRole));
    w->DBGrid1->setCurrentIndex(model.index(0, 1));
    EXPECT_EQ(stored(3, "NAME"), "Kranz");

    script.answer(Answer::No).answer(Answer::Yes);
    QTest::keyClick(w->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(fileRecords(), 3u);
    QTest::keyClick(w->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(script.texts(), QStringList({"Datensatz löschen?", "Datensatz löschen?"}));
    EXPECT_EQ(stored(volle, "NAME"), "<fehlt>");
    EXPECT_EQ(fileRecords(), 2u);
}

class SpielartenMitDruck : public Spielarten {
protected:
    void club() override
    {
        Spielarten::club();
        verein.drucken = true;
    }
};

TEST_F(SpielartenMitDruck, ListIsTheGameListOfThePrintFacility)
{
    EXPECT_TRUE(w->Liste1->isEnabled());
    w->Lotsenbefehl(Lotsencode::Liste);
    EXPECT_EQ(verein.protokoll.gedruckt, QStringList({"Spielliste"}));
    EXPECT_TRUE(verein.gedruckt.empty()) << "not a list of the window's own report option";
}

} // namespace
} // namespace trevo::masterdata::test
