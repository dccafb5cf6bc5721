// The offices window: entering, copying and deleting offices, checked in FUNKTION.DBF.
#include "test_support.h"
#include "codetabellen_fixture.h"
#include "masterdata/funktionen_form.h"

namespace trevo::masterdata::test {
namespace {

using common::Answer;

inline constexpr char funktionDbf[] = "FUNKTION.DBF";

class Aemter : public Codetabelle<TFunktionenform, common::Fenster::Aemter, funktionDbf> {
protected:
    void club() override
    {
        kassierer = verein.office("Kassierer");
        vorsitz = verein.office("Vorsitzender");
    }
    int kassierer = 0, vorsitz = 0;
};

TEST_F(Aemter, OpensOnTheOfficesInNumberOrder)
{
    EXPECT_EQ(w->windowTitle(), "Ämter");
    EXPECT_EQ(numbersShown(), std::vector<int>({kassierer, vorsitz}));
    EXPECT_EQ(w->Schnellsuchlabel->text(), " Nummer suchen  ");
    EXPECT_EQ(w->ToolButton1, nullptr) << "no search next";
    EXPECT_TRUE(w->ndern1->isEnabled()) << "the menu rule found the records";
    EXPECT_FALSE(w->DBEdit1->isEnabled());
}

TEST_F(Aemter, NewOfficesAreStoredOneAfterTheOther)
{
    QTest::mouseClick(w->ToolButton10, Qt::LeftButton);
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    EXPECT_EQ(QApplication::focusWidget(), w->NameDBEdit);
    EXPECT_EQ(t().text("NUMMER"), "3");
    type(w->NameDBEdit, "Schriftfuehrer");
    save();
    EXPECT_EQ(mode(), Eingabemodus::Neu) << "the next one is started";
    EXPECT_EQ(stored(3, "BEZEICHNUN"), "Schriftfuehrer");
    type(w->NameDBEdit, "Sportwart");
    QTest::mouseClick(w->DatensatzeinfuegenBitBtn1, Qt::LeftButton);
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton);
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(fileRecords(), 4u);
    EXPECT_EQ(stored(4, "BEZEICHNUN"), "Sportwart");
}

TEST_F(Aemter, CopyAndChangeOpensTheEntryWithTheCopy)
{
    gotoNumber(vorsitz);
    w->Kopierenundndern1->trigger();
    EXPECT_EQ(mode(), Eingabemodus::KopierenUndAendern);
    EXPECT_EQ(t().text("NUMMER"), "3");
    EXPECT_EQ(t().text("BEZEICHNUN"), "Vorsitzender");
    EXPECT_EQ(QApplication::focusWidget(), w->NameDBEdit);
    EXPECT_TRUE(w->NameDBEdit->isEnabled());

    type(w->NameDBEdit, " (stellv.)");
    save();
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(stored(3, "BEZEICHNUN"), "Vorsitzender (stellv.)");
    EXPECT_EQ(stored(vorsitz, "BEZEICHNUN"), "Vorsitzender");
}

TEST_F(Aemter, DeleteAsksAndChecksNoReferences)
{
    verein.bowler({"Schmidt", "Karl", "7", true, kassierer});
    gotoNumber(kassierer);
    script.answer(Answer::No);
    w->Lschen2->trigger();
    EXPECT_EQ(fileRecords(), 2u);

    script.answer(Answer::Yes);
    w->Lschen2->trigger();
    EXPECT_EQ(script.texts(), QStringList({"Datensatz löschen ?", "Datensatz löschen ?"}));
    EXPECT_EQ(fileRecords(), 1u);
    EXPECT_EQ(stored(kassierer, "BEZEICHNUN"), "<fehlt>");
}

} // namespace
} // namespace trevo::masterdata::test
