// Check box and lookup combo: each writes and reads its field through a data set.
#include "club_fixture.h"

#include "dbcontrols/db_check_box.h"
#include "dbcontrols/db_lookup_combo.h"
#include "data/module/datenquelle.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

using namespace trevo::controls;
using namespace trevo::controls::test;

TEST(DBCheckBox, GreyForEmptyAndClickStoresTheValue)
{
    ClubFixture f;
    DBCheckBox box("Mitglied", &f.window);
    box.setDataSet(f.kegler.get());
    box.setDataField("MITGLIED");
    EXPECT_EQ(box.checkState(), Qt::Checked);
    f.kegler->next();
    EXPECT_EQ(box.checkState(), Qt::Unchecked);
    f.kegler->next();
    EXPECT_EQ(box.checkState(), Qt::PartiallyChecked) << "NULL shows the third state";
    box.click();
    EXPECT_EQ(box.checkState(), Qt::Checked);
    EXPECT_EQ(f.kegler->value("MITGLIED"), Value::logical(true));
    box.click();
    EXPECT_EQ(f.kegler->value("MITGLIED"), Value::logical(false));
    f.kegler->post();
    EXPECT_EQ(box.checkState(), Qt::Unchecked);
}

TEST(DBCheckBox, OtherFieldTypesStoreTheGivenValues)
{
    ClubFixture f;
    DBCheckBox box("gültig", &f.window);
    box.setDataSet(f.kegler.get());
    box.setDataField("GUELTIG");
    box.setValues(Value::number(1), Value::number(2));
    EXPECT_EQ(box.checkState(), Qt::PartiallyChecked);
    box.click();
    EXPECT_EQ(f.kegler->value("GUELTIG"), Value::number(1));
    box.click();
    EXPECT_EQ(f.kegler->value("GUELTIG"), Value::number(2));
    f.kegler->setValue("GUELTIG", Value::number(3));
    EXPECT_EQ(box.checkState(), Qt::PartiallyChecked) << "neither value";
}

TEST(SameValue, NumbersTextsAndNull)
{
    EXPECT_TRUE(sameValue(Value::number(2), Value::text("2")));
    EXPECT_TRUE(sameValue(Value::text("KA  "), Value::text("KA")));
    EXPECT_FALSE(sameValue(Value::text("ka"), Value::text("KA")));
    EXPECT_FALSE(sameValue(Value(), Value::number(0)));
    EXPECT_TRUE(sameValue(Value(), Value()));
}

namespace {

struct LookupFixture : ClubFixture {
    DBLookupComboBox* combo = new DBLookupComboBox(&window);
    LookupFixture()
    {
        aemter->setLabel("BEZEICHNUN", "Amt");
        combo->setDataSet(kegler.get());
        combo->setDataField("FUNKTION");
        combo->setListDataSet(aemter.get());
        combo->setListFields("NUMMER", {"BEZEICHNUN", "KUERZEL"}, {"", "Kürzel"});
    }
    QStringList column(int c)
    {
        QStringList r;
        for (int i = 0; i < combo->model()->rowCount(); ++i) r << combo->model()->index(i, c).data().toString();
        return r;
    }
};

} // namespace

TEST(DBLookupComboBox, ListsTheOtherDataSetInColumnsWithTitles)
{
    LookupFixture f;
    EXPECT_EQ(f.column(0), QStringList({"Kassierer", "Vorsitzender", "Schriftführer"}));
    EXPECT_EQ(f.column(1), QStringList({"KA", "VO", "SF"}));
    auto* model = f.combo->model();
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "Amt") << "the field's label";
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "Kürzel");
    EXPECT_FALSE(f.combo->listView()->header()->isHidden());
    EXPECT_EQ(f.aemter->position(), std::optional<size_t>(0)) << "filling the list does not move it";
}

TEST(DBLookupComboBox, ShowsTheRecordOfTheStoredKey)
{
    LookupFixture f;
    EXPECT_EQ(f.combo->currentText(), "Vorsitzender");
    f.kegler->next();
    EXPECT_EQ(f.combo->currentText(), "Kassierer");
    f.kegler->next();
    EXPECT_EQ(f.combo->currentIndex(), -1) << "no key, no choice";
}

TEST(DBLookupComboBox, ChoosingStoresTheKey)
{
    LookupFixture f;
    f.combo->choose(2);
    EXPECT_EQ(f.kegler->value("FUNKTION"), Value::number(3));
    EXPECT_EQ(f.combo->currentText(), "Schriftführer");
    f.kegler->post();
    f.kegler->first();
    EXPECT_EQ(f.kegler->value("FUNKTION"), Value::number(3));
}

TEST(DBLookupComboBox, TheListFollowsChangesOfItsDataSet)
{
    LookupFixture f;
    f.aemter->append();
    f.aemter->setValue("NUMMER", Value::number(4));
    f.aemter->setValue("BEZEICHNUN", Value::text("Sportwart"));
    f.aemter->post();
    EXPECT_EQ(f.combo->listCount(), 4u);
    f.combo->choose(3);
    EXPECT_EQ(f.kegler->value("FUNKTION"), Value::number(4));
}

TEST(DBLookupComboBox, AnEmptyChoiceComesFirstInEveryColumnAndEmptiesTheField)
{
    LookupFixture f;
    f.combo->setEmptyChoice(true);
    ASSERT_EQ(f.combo->listCount(), 4u);
    EXPECT_EQ(f.column(0), QStringList({"", "Kassierer", "Vorsitzender", "Schriftführer"}));
    EXPECT_EQ(f.column(1), QStringList({"", "KA", "VO", "SF"}));
    EXPECT_EQ(f.combo->currentText(), "Vorsitzender");
    f.combo->choose(0);
    EXPECT_TRUE(f.kegler->value("FUNKTION").isNull());
    EXPECT_EQ(f.combo->keyRow(), 0);
    EXPECT_EQ(f.combo->currentText(), "");
    f.combo->choose(1);
    EXPECT_EQ(f.kegler->value("FUNKTION"), Value::number(1));
}

TEST(DBLookupComboBox, AKeyWithoutRecordShowsAsStoredAndTheBoxCannotBeTyped)
{
    LookupFixture f;
    f.kegler->edit();
    f.kegler->setValue("FUNKTION", Value::number(9));
    EXPECT_EQ(f.combo->keyRow(), -1);
    EXPECT_EQ(f.combo->currentText(), "9");
    EXPECT_TRUE(f.combo->lineEdit()->isReadOnly());
}

TEST(DBLookupComboBox, ChoosingTheKeyTheFieldHoldsLeavesTheRecordUnchanged)
{
    LookupFixture f;
    f.combo->choose(1); // Vorsitzender, as stored
    EXPECT_EQ(f.kegler->state(), trevo::engine::DataSetState::Browse);
}

TEST(DBLookupComboBox, TheOpenListIsAsWideAsItsColumns)
{
    LookupFixture f;
    f.combo->resize(60, 24);
    f.window.show();
    f.combo->showPopup();
    const QTreeView* view = f.combo->listView();
    EXPECT_GE(view->width(), view->columnWidth(0) + view->columnWidth(1));
    f.combo->hidePopup();
}

TEST(DBLookupComboBox, AListThatCannotBeReadOffersTheRowsReadAndTheErrorIsShownAfterwards)
{
    ClubFixture f;
    f.aemter->close();
    f.aemter->addCalculatedField("ANZEIGE", 'C', 20);
    f.aemter->events.calcFields = [](trevo::engine::DataSet& ds) {
        if (ds.value("NUMMER") == Value::number(2)) throw trevo::engine::EngineError("Anzeige fehlt");
        ds.setValue("ANZEIGE", ds.value("BEZEICHNUN"));
    };
    f.aemter->open();
    DBLookupComboBox combo(&f.window);
    combo.setDataSet(f.kegler.get());
    combo.setDataField("FUNKTION");
    combo.setListDataSet(f.aemter.get());
    EXPECT_NO_THROW(combo.setListFields("NUMMER", {"ANZEIGE"}));
    EXPECT_EQ(combo.listCount(), 1u);
    EXPECT_NO_THROW(f.aemter->refresh()) << "also when the list data set tells it";
    QApplication::processEvents();
    EXPECT_EQ(f.script.texts(), QStringList({"Anzeige fehlt"}));
}

TEST(DataLink, ABoundSourceFollowsItsReplacedDataSet)
{
    ClubFixture f;
    trevo::data::Datenquelle source("KeglerDataSource1");
    source.setzen(f.kegler.get());
    DBCheckBox box("Mitglied", &f.window);
    box.setSource(&source);
    box.setDataField("MITGLIED");
    EXPECT_EQ(box.checkState(), Qt::Checked);
    source.setzen(nullptr);
    EXPECT_EQ(box.checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(box.link().dataSet(), nullptr);
    f.kegler->next();
    source.setzen(f.kegler.get());
    EXPECT_EQ(box.checkState(), Qt::Unchecked);
}

TEST(DataLink, ADataSetThatGoesAwayIsLetGo)
{
    ClubFixture f;
    DBCheckBox box("Mitglied", &f.window);
    box.setDataSet(f.kegler.get());
    box.setDataField("MITGLIED");
    f.kegler.reset();
    EXPECT_EQ(box.link().dataSet(), nullptr);
    EXPECT_EQ(box.checkState(), Qt::PartiallyChecked);
}
