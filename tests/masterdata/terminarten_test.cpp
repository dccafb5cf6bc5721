// The appointment types window: entering, copying, sorting, printing and deleting
// appointment types, checked in TERMINTY.DBF.
#include "test_support.h"
#include "codetabellen_fixture.h"
#include "shell/stammdaten/sort_form.h"
#include "masterdata/terminarten_form.h"

#include <QRadioButton>

namespace trevo::masterdata::test {
namespace {

using common::Answer;

inline constexpr char termintyDbf[] = "TERMINTY.DBF";

class Terminarten : public Codetabelle<TTerminartenform, common::Fenster::Terminarten, termintyDbf> {
protected:
    void club() override
    {
        verein.drucken = true;
        kegelabend = art("Kegelabend");
        ausflug = art("Ausflug");
        versammlung = art("Jahreshauptversammlung");
    }
    int art(const std::string& text) { return verein.satz("TERMINTY.DBF", {{"BESCHREIBU", engine::Value::text(text)}}); }
    int kegelabend = 0, ausflug = 0, versammlung = 0;
};

TEST_F(Terminarten, NewTypeFromTheGuideIsStored)
{
    EXPECT_EQ(w->windowTitle(), "Terminarten");
    w->Lotsenbefehl(Lotsencode::Neueingabe);
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    EXPECT_EQ(QApplication::focusWidget(), w->NameDBEdit2);
    EXPECT_FALSE(w->DBEdit1->isEnabled());
    type(w->NameDBEdit2, "Weihnachtsfeier");
    save();
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton);
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(fileRecords(), 4u);
    EXPECT_EQ(stored(4, "BESCHREIBU"), "Weihnachtsfeier");
}

TEST_F(Terminarten, CopyAndChangeOpensTheEntryWithTheCopy)
{
    gotoNumber(ausflug);
    QTest::mouseClick(w->ToolButton11, Qt::LeftButton); // a plain change first: no copy
    EXPECT_EQ(mode(), Eingabemodus::Aendern);
    EXPECT_EQ(t().text("NUMMER"), std::to_string(ausflug));
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton);

    w->Kopierenundndern1->trigger();
    EXPECT_EQ(mode(), Eingabemodus::KopierenUndAendern);
    EXPECT_EQ(t().text("NUMMER"), "4");
    EXPECT_EQ(t().text("BESCHREIBU"), "Ausflug");
    EXPECT_EQ(QApplication::focusWidget(), w->NameDBEdit2);
    type(w->NameDBEdit2, " ins Blaue");
    save();
    EXPECT_EQ(stored(4, "BESCHREIBU"), "Ausflug ins Blaue");
    EXPECT_EQ(stored(ausflug, "BESCHREIBU"), "Ausflug");
}

TEST_F(Terminarten, SortsByDescription)
{
    ModalSkript modal;
    QStringList items;
    int preselected = -2;
    modal.then([&](QDialog& d) {
        auto& sort = static_cast<TSortForm&>(d);
        items = sort.items();
        preselected = sort.itemIndex();
        QTest::mouseClick(sort.findChild<QRadioButton*>("RadioItem1"), Qt::LeftButton);
        QTest::mouseClick(sort.OKBtn, Qt::LeftButton);
    });
    w->Sortierung1Click();
    EXPECT_EQ(items, QStringList({"Nummer", "Beschreibung"}));
    EXPECT_EQ(preselected, 0) << "opened in number order";
    EXPECT_EQ(t().indexName(), "BESCHREIBU");
    EXPECT_EQ(numbersShown(), std::vector<int>({ausflug, versammlung, kegelabend}));
    EXPECT_TRUE(modal.problems().isEmpty());
}

TEST_F(Terminarten, PrintsTheListAndDeletesAfterAsking)
{
    w->Liste1->trigger();
    EXPECT_EQ(verein.gedruckt,
              std::vector<std::string>({"Termintyplistfilename|TERMART.QR2|" + t().path()}));

    gotoNumber(kegelabend);
    script.answer(Answer::Yes);
    w->Lschen2->trigger();
    EXPECT_EQ(script.texts(), QStringList({"Datensatz löschen ?"}));
    EXPECT_EQ(fileRecords(), 2u);
    EXPECT_EQ(stored(kegelabend, "BESCHREIBU"), "<fehlt>");
}

} // namespace
} // namespace trevo::masterdata::test
