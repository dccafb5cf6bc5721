#include "data_set_fixture.h"
#include "engine/storage/session.h"

using namespace trevo::engine;
using namespace trevo::engine::test;

namespace {
class Editing : public ClubTables {
protected:
    void SetUp() override
    {
        ClubTables::SetUp();
        ds = std::make_unique<TableDataSet>(folder.session(), kegler);
        ds->setName("KeglerTable1");
        ds->setIndex("NUMMER");
        ds->open();
        recordEvents(*ds, log);
    }
    TableDataSet& k() { return *ds; }
    std::unique_ptr<TableDataSet> ds;
    Log log;
};
} // namespace

TEST_F(Editing, EventsOfAppendPostCancelEditDeleteInOrder)
{
    k().append();
    EXPECT_EQ(log, (Log{"beforeInsert", "afterInsert", "afterScroll"}));
    EXPECT_EQ(k().state(), DataSetState::Insert);
    EXPECT_FALSE(k().modified());
    k().setValue("NUMMER", num(4));
    k().setText("NAME", "Zeller");
    EXPECT_TRUE(k().modified());
    log.clear();
    k().post();
    EXPECT_EQ(log, (Log{"beforePost", "afterPost"}));
    EXPECT_EQ(k().state(), DataSetState::Browse);
    EXPECT_EQ(kegler->recordCount(), 4u);
    EXPECT_EQ(k().text("NAME"), "Zeller"); // the new record is current
    EXPECT_EQ(k().position(), 3u);

    log.clear();
    k().edit();
    EXPECT_EQ(log, (Log{"beforeEdit", "afterEdit"}));
    k().setText("NAME", "Zöller");
    EXPECT_EQ(k().oldValue(k().fieldIndex("NAME")), txt("Zeller"));
    log.clear();
    k().cancel();
    EXPECT_EQ(log, (Log{"beforeCancel", "afterCancel"}));
    EXPECT_EQ(k().text("NAME"), "Zeller");

    log.clear();
    ASSERT_TRUE(k().first());
    k().deleteRecord();
    EXPECT_EQ(log, (Log{"afterScroll", "beforeDelete", "afterDelete", "afterScroll"}));
    EXPECT_EQ(k().value("NUMMER"), num(2)); // the next record became current
    EXPECT_EQ(k().recordCount(), 3u);
    EXPECT_TRUE(kegler->isDeleted(0));

    // Delete of a new record only drops it.
    k().append();
    log.clear();
    k().deleteRecord();
    EXPECT_EQ(log, (Log{"beforeCancel", "afterCancel"}));
    EXPECT_EQ(kegler->recordCount(), 4u);
}

TEST_F(Editing, ImplicitPostStoresChangedAndDropsUnchangedRecords)
{
    // Changed new record: a move stores it first.
    k().append();
    k().setText("NAME", "Neu");
    log.clear();
    k().first();
    EXPECT_EQ(log, (Log{"beforePost", "afterPost", "afterScroll"}));
    EXPECT_EQ(kegler->recordCount(), 4u);

    // A new record that nobody touched is dropped.
    k().append();
    log.clear();
    k().last();
    EXPECT_EQ(log, (Log{"beforeCancel", "afterCancel", "afterScroll"}));
    EXPECT_EQ(kegler->recordCount(), 4u);

    // Fields set by the after-insert handler count as changes: appending again stores it.
    k().events.afterInsert = [](DataSet& d) { d.setValue("NUMMER", num(99)); };
    k().append();
    EXPECT_TRUE(k().modified());
    k().append();
    EXPECT_EQ(kegler->recordCount(), 5u);
    EXPECT_EQ(kegler->get(4, 0), num(99));
    k().cancel();
    EXPECT_EQ(kegler->recordCount(), 5u);

    // An unchanged edit is dropped by a change of the index; a changed one is stored.
    ASSERT_TRUE(k().locate("NAME", txt("Adler")));
    k().edit();
    log.clear();
    k().setIndex("NAME");
    EXPECT_EQ(log, (Log{"beforeCancel", "afterCancel"}));
    k().edit();
    k().setText("VORNAME", "Berthold");
    k().refresh();
    EXPECT_EQ(k().state(), DataSetState::Browse);
    EXPECT_EQ(kegler->get(2, 3), txt("Berthold"));
    EXPECT_EQ(k().text("NAME"), "Adler"); // still the same record
}

TEST_F(Editing, ValuesAreCheckedWhenSetAndOnlyInEditStates)
{
    EXPECT_THROW(k().setText("NAME", "x"), EngineError); // browse
    k().edit();
    EXPECT_THROW(k().setText("NAME", std::string(51, 'x')), ValueError);
    EXPECT_THROW(k().setText("GEBURTSTAG", "31.02.1970"), ValueError);
    EXPECT_THROW(k().setText("NUMMER", "eins"), ValueError);
    EXPECT_FALSE(k().modified()); // refused values change nothing
    k().setText("GEBURTSTAG", "3.4.1971");
    EXPECT_EQ(k().value("GEBURTSTAG"), Value::date(daysFromCivil(1971, 4, 3)));
    k().setText("MITGLIED", "N");
    k().post();
    EXPECT_EQ(k().text("MITGLIED"), "Falsch");
    EXPECT_EQ(k().text("GEBURTSTAG"), "03.04.1971");
    EXPECT_THROW(k().value("GIBTESNICHT"), EngineError);
    // The data set's texts are the table's own texts.
    for (int f = 0; f < 6; ++f) EXPECT_EQ(k().text(f), kegler->textOf(*k().recordNumber(), f)) << f;
}

TEST_F(Editing, PostErrorRollsBackTheTransactionOrAborts)
{
    Session& s = folder.session();
    k().setRequired("NAME", "Name muß eingegeben werden.");
    // Another table written in the same transaction must go back with it.
    TableDataSet terms(s, keglterm);
    terms.open();
    s.startTransaction();
    terms.append();
    terms.setValue("NUMMER", num(50));
    terms.post();
    EXPECT_EQ(keglterm->recordCount(), 7u);

    std::vector<std::string> seen;
    k().events.postError = [&](DataSet& d, const EngineError& e) {
        seen.push_back(e.what());
        if (s.inTransaction()) s.rollback();
        d.refresh(); // must not try to store the failing record again
        return PostErrorAction::Fail;
    };
    k().append();
    k().setValue("NUMMER", num(77));
    log.clear();
    try {
        k().post();
        FAIL() << "post must fail";
    } catch (const ValueError& e) {
        EXPECT_STREQ(e.what(), "Name muß eingegeben werden.");
    }
    EXPECT_EQ(log, (Log{"beforePost"}));
    EXPECT_EQ(seen, (std::vector<std::string>{"Name muß eingegeben werden."}));
    EXPECT_FALSE(s.inTransaction());
    EXPECT_EQ(keglterm->recordCount(), 6u);  // rolled back
    EXPECT_EQ(kegler->recordCount(), 3u);
    EXPECT_EQ(k().state(), DataSetState::Insert); // the record is still pending
    EXPECT_EQ(k().value("NUMMER"), num(77));

    // Abort: the error becomes silent.
    k().events.postError = [](DataSet&, const EngineError&) { return PostErrorAction::Abort; };
    EXPECT_THROW(k().post(), Aborted);
    // A move cannot leave the failing record behind either.
    EXPECT_THROW(k().next(), Aborted);
    EXPECT_EQ(k().state(), DataSetState::Insert);
    k().setText("NAME", "Jetzt");
    k().post();
    EXPECT_EQ(kegler->recordCount(), 4u);
}

TEST_F(Editing, HandlersStopOperationsAndReadOnlyRefuses)
{
    k().events.beforeDelete = [](DataSet&) { throw EngineError("Der Datensatz darf nicht gelöscht werden"); };
    EXPECT_THROW(k().deleteRecord(), EngineError);
    EXPECT_EQ(k().recordCount(), 3u);
    k().events.beforeInsert = [](DataSet&) { throw EngineError("nein"); };
    EXPECT_THROW(k().append(), EngineError);
    EXPECT_EQ(k().state(), DataSetState::Browse);

    k().setReadOnly(true);
    EXPECT_THROW(k().edit(), EngineError);
    EXPECT_EQ(k().state(), DataSetState::Browse);

    // Edit on an empty data set starts a new record.
    TableDataSet empty(folder.session(), folder.create("FUNKTION.DBF", {numField("NUMMER"), textField("BEZEICHNUN")}));
    empty.open();
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_TRUE(empty.eof() && empty.bof());
    empty.edit();
    EXPECT_EQ(empty.state(), DataSetState::Insert);
    EXPECT_THROW(TableDataSet(folder.session(), kegler).value(0), EngineError); // closed
}

TEST_F(Editing, EditOfARecordThatWentAwayIsRefused)
{
    Session& s = folder.session();
    // Deleted by another data set on the same file while being edited.
    TableDataSet twin(s, kegler);
    twin.open();
    ASSERT_TRUE(k().locate("NAME", txt("Adler")));
    k().edit();
    k().setText("VORNAME", "Bert");
    ASSERT_TRUE(twin.locate("NAME", txt("Adler")));
    twin.deleteRecord();
    EXPECT_THROW(k().post(), EngineError);
    EXPECT_EQ(k().state(), DataSetState::Edit);
    k().cancel();

    // Appended inside a transaction, edited, then the transaction is rolled back and a
    // new record takes the same number: the pending change must not land on it.
    s.startTransaction();
    k().append();
    k().setText("NAME", "Vorläufig");
    k().post();
    const uint32_t recno = *k().recordNumber();
    k().edit();
    k().setText("VORNAME", "Otto");
    s.rollback();
    folder.add(*kegler, {num(8), txt("8"), txt("Zuletzt"), txt(""), Value::logical(true), Value()});
    EXPECT_EQ(kegler->recordCount(), recno + 1);
    EXPECT_THROW(k().post(), EngineError);
    EXPECT_EQ(kegler->get(recno, 2), txt("Zuletzt"));
    k().cancel();
    // An edit across a rollback that left the record as it was goes through.
    s.startTransaction();
    ASSERT_TRUE(k().locate("NAME", txt("Müller")));
    k().edit();
    s.rollback();
    k().setText("VORNAME", "Anne");
    k().post();
    EXPECT_EQ(k().text("VORNAME"), "Anne");
}
