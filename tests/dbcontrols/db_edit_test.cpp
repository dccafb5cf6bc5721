// Edit, memo and read-only text: each writes and reads its field through a data set.
#include "club_fixture.h"

#include "dbcontrols/db_edit.h"

#include <QVBoxLayout>

using namespace trevo::controls;
using namespace trevo::controls::test;
using trevo::engine::DataSetState;

namespace {

struct EditFixture : ClubFixture {
    DBEdit* name = new DBEdit;
    DBEdit* beitrag = new DBEdit;
    DBMemo* memo = new DBMemo;
    DBText* label = new DBText;
    EditFixture()
    {
        auto* l = new QVBoxLayout(&window);
        for (QWidget* w : std::initializer_list<QWidget*>{name, beitrag, memo, label}) l->addWidget(w);
        kegler->setDisplayFormat("BEITRAG", "0.00");
        name->setDataSet(kegler.get());
        name->setDataField("NAME");
        beitrag->setDataSet(kegler.get());
        beitrag->setDataField("BEITRAG");
        memo->setDataSet(kegler.get());
        memo->setDataField("BEMERKUNG");
        label->setDataSet(kegler.get());
        label->setDataField("BEITRAG");
        showWindow();
    }
};

} // namespace

TEST(DBEdit, ShowsTheFieldWithItsDisplayFormatAndFollowsTheRecord)
{
    EditFixture f;
    EXPECT_EQ(f.name->text(), "Adler");
    EXPECT_EQ(f.beitrag->text(), "5,00");
    EXPECT_EQ(f.label->text(), "5,00");
    f.kegler->next();
    EXPECT_EQ(f.name->text(), "Becker");
    EXPECT_EQ(f.beitrag->text(), "2,50");
    EXPECT_EQ(f.label->text(), "2,50");
    f.kegler->next();
    EXPECT_EQ(f.beitrag->text(), "") << "an empty field shows nothing";
    EXPECT_EQ(f.name->maxLength(), 30);
}

TEST(DBEdit, TypingEditsTheRecordAndLeavingConvertsTheText)
{
    EditFixture f;
    f.beitrag->setFocus();
    EXPECT_EQ(f.beitrag->text(), "5,00");
    f.beitrag->selectAll();
    QTest::keyClicks(f.beitrag, "7,5");
    EXPECT_EQ(f.kegler->state(), DataSetState::Edit);
    EXPECT_TRUE(f.beitrag->pending());
    f.name->setFocus(); // leaving the field
    EXPECT_EQ(f.kegler->value("BEITRAG"), Value::number(7.5));
    EXPECT_EQ(f.beitrag->text(), "7,50");
    f.kegler->post();
    f.kegler->refresh();
    f.kegler->first();
    EXPECT_EQ(f.kegler->value("BEITRAG"), Value::number(7.5));
}

TEST(DBEdit, TextThatDoesNotFitTheFieldIsRefusedWithItsMessage)
{
    EditFixture f;
    f.beitrag->setFocus();
    f.beitrag->selectAll();
    QTest::keyClicks(f.beitrag, "viel");
    f.name->setFocus();
    ASSERT_EQ(f.script.texts().size(), 1);
    EXPECT_EQ(f.script.shown()[0].kind, trevo::common::BoxKind::Error);
    EXPECT_EQ(f.kegler->value("BEITRAG"), Value::number(5));
    EXPECT_EQ(f.beitrag->text(), "viel") << "the typed text stays to be corrected";
    EXPECT_TRUE(f.beitrag->pending());
}

TEST(DBEdit, UpdateRecordWritesWhatWasTypedBeforePosting)
{
    EditFixture f;
    f.name->setFocus();
    f.name->selectAll();
    QTest::keyClicks(f.name, "Albers");
    QTest::keyClick(f.name, Qt::Key_End); // still in the field
    updateRecord(*f.kegler);
    f.kegler->post();
    EXPECT_EQ(f.kegler->value("NAME"), Value::text("Albers"));
    EXPECT_FALSE(f.name->pending());
}

TEST(DBEdit, EnterWritesTheText)
{
    EditFixture f;
    f.name->setFocus();
    f.name->selectAll();
    QTest::keyClicks(f.name, "Arndt");
    QTest::keyClick(f.name, Qt::Key_Return);
    EXPECT_EQ(f.kegler->value("NAME"), Value::text("Arndt"));
}

TEST(DBEdit, CancellingForgetsTheTypedText)
{
    EditFixture f;
    f.name->setFocus();
    f.name->selectAll();
    QTest::keyClicks(f.name, "Xaver");
    f.kegler->cancel();
    EXPECT_FALSE(f.name->pending());
    EXPECT_EQ(f.name->text(), "Adler");
}

TEST(DBEdit, TypingIntoAnEmptyTableStartsANewRecord)
{
    EditFixture f;
    while (!f.kegler->isEmpty()) f.kegler->deleteRecord();
    f.name->setFocus();
    QTest::keyClicks(f.name, "Neu");
    EXPECT_EQ(f.kegler->state(), DataSetState::Insert);
    updateRecord(*f.kegler);
    f.kegler->post();
    EXPECT_EQ(f.kegler->recordCount(), 1u);
    EXPECT_EQ(f.kegler->value("NAME"), Value::text("Neu"));
}

TEST(DBMemo, WritesAndReadsTheMemo)
{
    EditFixture f;
    f.memo->setFocus();
    QTest::keyClicks(f.memo, "Zeile eins");
    EXPECT_EQ(f.kegler->state(), DataSetState::Edit);
    f.name->setFocus();
    EXPECT_EQ(f.kegler->value("BEMERKUNG").toText(), "Zeile eins");
    f.kegler->post();
    f.kegler->next();
    EXPECT_EQ(f.memo->toPlainText(), "");
    f.kegler->prior();
    EXPECT_EQ(f.memo->toPlainText(), "Zeile eins");
}

TEST(DBEdit, ReadOnlyDataSetsCannotBeTyped)
{
    EditFixture f;
    f.kegler->close();
    f.kegler->setReadOnly(true);
    f.kegler->open();
    EXPECT_TRUE(f.name->isReadOnly());
    EXPECT_EQ(f.name->text(), "Adler");
}

TEST(DBEdit, ADisplayOnlyFieldFollowsTheRecordButIsNeverTyped)
{
    EditFixture f;
    auto* nummer = new DBEdit(&f.window);
    nummer->setDataSet(f.kegler.get());
    nummer->setDataField("NUMMER");
    nummer->setDisplayOnly(true);
    EXPECT_EQ(nummer->text(), "1");
    EXPECT_TRUE(nummer->isReadOnly());
    EXPECT_EQ(nummer->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(nummer->palette().color(QPalette::Base), nummer->palette().color(QPalette::Button)) << "grey";
    QTest::keyClicks(nummer, "9");
    EXPECT_EQ(f.kegler->state(), DataSetState::Browse);
    f.kegler->edit(); // the data set allows changes; the display does not
    EXPECT_TRUE(nummer->isReadOnly());
    f.kegler->cancel();
    f.kegler->next();
    EXPECT_EQ(nummer->text(), "2");
    nummer->setDisplayOnly(false);
    EXPECT_FALSE(nummer->isReadOnly());
}

TEST(DBEdit, AFieldThatCannotBeReadShowsEmptyAndTheMoveGoesOn)
{
    EditFixture f;
    f.kegler->close();
    f.kegler->addCalculatedField("ALTER", 'N', 3);
    f.kegler->events.calcFields = [](trevo::engine::DataSet&) {
        throw trevo::engine::EngineError("Das Alter kann nicht berechnet werden");
    };
    f.kegler->open();
    f.label->setDataField("ALTER");
    f.beitrag->setDataField("ALTER");
    EXPECT_NO_THROW(f.kegler->next());
    EXPECT_EQ(f.name->text(), "Becker") << "the other controls were told as well";
    EXPECT_EQ(f.beitrag->text(), "");
    EXPECT_EQ(f.label->text(), "");
    QApplication::processEvents();
    EXPECT_EQ(f.script.texts(), QStringList({"Das Alter kann nicht berechnet werden"}));
}

TEST(DBEdit, ALookupFieldFollowsTheChangeOfItsKeyField)
{
    EditFixture f;
    trevo::engine::TableDataSet kegler(f.db, f.db.session(), f.kegler->path());
    kegler.addLookupField("Amt", 'C', *f.aemter, "FUNKTION", "NUMMER", "BEZEICHNUN", 30);
    kegler.open();
    auto* amt = new DBEdit(&f.window);
    amt->setDataSet(&kegler);
    amt->setDataField("Amt");
    EXPECT_EQ(amt->text(), "Vorsitzender");
    kegler.edit();
    kegler.setValue("FUNKTION", Value::number(3));
    EXPECT_EQ(amt->text(), "Schriftführer") << "the lookup shows the new key's record while the key is typed";
    kegler.cancel();
    EXPECT_EQ(amt->text(), "Vorsitzender");
}
