// Tables written by another program are read by Trevo, and tables written by Trevo are
// read by another program (Debian's python3-dbf and python3-dbfread).
#include "dbf_test_util.h"

#include <gtest/gtest.h>

namespace trevo::engine {
namespace {

using test::ScratchDir;

bool pythonHas(const char* module)
{
    return test::runCommand(std::string("/usr/bin/python3 -c 'import ") + module + "' >/dev/null 2>&1") == 0;
}

const char* kWriteDbase3 = R"PY(
import dbf, datetime
def make(name, codepage):
    t = dbf.Table(name, 'NUMMER N(10,0); NAME C(40); BETRAG N(9,2); GEBURTSTAG D; MITGLIED L; BEMERKUNGE M',
                  dbf_type='db3', codepage=codepage)
    t.open(dbf.READ_WRITE)
    t.append((1, 'Jürgen Übel', 12.5, datetime.date(1968, 2, 29), True, 'Kegelkönig 1999\r\nzweite Zeile'))
    t.append((2, 'Åse Grøn', -3.25, None, False, ''.join('Zeile %d mit Umlauten äöü\r\n' % i for i in range(300))))
    t.append((3, 'Gelöscht', 0, datetime.date(2000, 1, 1), None, 'weg'))
    t.append((4, '', None, None, None, ''))
    dbf.delete(t[2])
    t.close()
make('PYDREI.DBF', 'cp1252')
make('PYDOS.DBF', 'cp850')
print('ok')
)PY";

TEST(DbfInterop, ReadsDbase3TablesWrittenByPythonDbf)
{
    if (!pythonHas("dbf")) GTEST_SKIP() << "python3-dbf fehlt";
    ScratchDir dir;
    std::string out;
    ASSERT_EQ(test::runPython(dir, kWriteDbase3, &out), 0) << out;
    std::string longMemo;
    for (int i = 0; i < 300; ++i) longMemo += "Zeile " + std::to_string(i) + " mit Umlauten äöü\r\n";
    for (const char* name : {"PYDREI.DBF", "PYDOS.DBF"}) {
        SCOPED_TRACE(name);
        Database db;
        auto t = db.table(dir.file(name));
        EXPECT_EQ(t->version(), DbfVersion::DBase3);
        EXPECT_FALSE(t->readOnly());
        for (const auto& f : t->check()) ADD_FAILURE() << f;
        ASSERT_EQ(t->fields().size(), 6u);
        EXPECT_EQ(t->fields()[2], (FieldDef{"BETRAG", 'N', 9, 2}));
        EXPECT_EQ(t->fields()[5], (FieldDef{"BEMERKUNGE", 'M', 10, 0}));
        ASSERT_EQ(t->recordCount(), 4u);
        EXPECT_EQ(t->get(0, 0), Value::number(1));
        EXPECT_EQ(t->get(0, 1), Value::text("Jürgen Übel"));
        EXPECT_EQ(t->get(0, 2), Value::number(12.5));
        EXPECT_EQ(t->get(0, 3), Value::date(daysFromCivil(1968, 2, 29)));
        EXPECT_EQ(t->get(0, 4), Value::logical(true));
        EXPECT_EQ(t->get(0, 5), Value::text("Kegelkönig 1999\r\nzweite Zeile"));
        EXPECT_EQ(t->get(1, 1), Value::text("Åse Grøn"));
        EXPECT_EQ(t->get(1, 2), Value::number(-3.25));
        EXPECT_TRUE(t->get(1, 3).isNull());
        EXPECT_EQ(t->get(1, 4), Value::logical(false));
        EXPECT_EQ(t->get(1, 5), Value::text(longMemo));
        EXPECT_TRUE(t->isDeleted(2));
        EXPECT_FALSE(t->isDeleted(3));
        EXPECT_TRUE(t->get(2, 4).isNull());
        EXPECT_EQ(t->get(3, 1), Value::text(""));
        EXPECT_TRUE(t->get(3, 2).isNull());
        EXPECT_EQ(t->get(3, 5), Value::text(""));
    }
}

TEST(DbfInterop, ChangesTrevoMakesToAPythonDbfTableReadBackThere)
{
    if (!pythonHas("dbf")) GTEST_SKIP() << "python3-dbf fehlt";
    ScratchDir dir;
    std::string out;
    ASSERT_EQ(test::runPython(dir, kWriteDbase3, &out), 0) << out;
    {
        Database db;
        auto t = db.table(dir.file("pydrei.dbf"));
        db.session().atomically([&] {
            Record r = t->getRecord(0);
            r[5] = Value::text("neu geschrieben, länger als der alte Text, der nur kurz war und in einen Block passte");
            t->put(0, r);
            t->append({Value::number(5), Value::text("Neuer Kegler"), Value::number(1.5),
                       Value::date(daysFromCivil(2024, 6, 1)), Value::logical(true), Value::text(std::string(1500, 'k'))});
        });
    }
    const std::string check = R"PY(
import dbf, datetime
t = dbf.Table('PYDREI.DBF')
t.open()
assert t[0].bemerkunge.startswith('neu geschrieben, länger'), repr(t[0].bemerkunge)
assert t[1].bemerkunge.startswith('Zeile 0 mit'), repr(t[1].bemerkunge[:20])
r = t[4]
assert r.nummer == 5 and r.name.strip() == 'Neuer Kegler' and r.betrag == 1.5, r
assert r.geburtstag == datetime.date(2024, 6, 1) and r.mitglied is True, r
assert r.bemerkunge == 'k' * 1500
print('ok')
)PY";
    out.clear();
    EXPECT_EQ(test::runPython(dir, check, &out), 0) << out;
}

TEST(DbfInterop, TablesWrittenByTrevoReadWithDbfread)
{
    if (!pythonHas("dbfread")) GTEST_SKIP() << "python3-dbfread fehlt";
    ScratchDir dir;
    const std::string longMemo = std::string(3000, 'L') + " Ende äöü";
    for (DbfVersion v : {DbfVersion::DBase3, DbfVersion::DBase4}) {
        Database db;
        const std::string name = v == DbfVersion::DBase3 ? "TDREI.DBF" : "TVIER.DBF";
        db.session().atomically([&] {
            auto t = DbfTable::create(db.storage(), dir.file(name), test::allTypesFields(), v);
            t->append({Value::number(1), Value::text("Schäfer"), Value::number(12.5), Value::number(3.14159),
                       Value::date(daysFromCivil(1999, 12, 31)), Value::logical(true), Value::text("kurzes Memo")});
            t->append({Value::number(2), Value::text("Weiß"), Value::number(-0.5), Value::null(), Value::null(),
                       Value::logical(false), Value::text(longMemo)});
            t->append(Record(7, Value::null()));
            t->append({Value::number(4), Value::text("gelöscht"), Value::null(), Value::null(), Value::null(),
                       Value::null(), Value::null()});
            t->setDeleted(3, true);
        });
    }
    const std::string script = R"PY(
import dbfread, datetime
def memo(m):
    # dbfread reads the eight bytes after a dBASE IV memo too; they are the block's padding.
    return None if m is None else m.rstrip('\x00')
for name, version in (('TDREI.DBF', 0x83), ('TVIER.DBF', 0x8B)):
    t = dbfread.DBF(name, load=True)
    assert t.header.dbversion == version, (name, t.header.dbversion)
    assert t.encoding == 'cp1252', t.encoding
    assert [(f.name, f.type, f.length, f.decimal_count) for f in t.fields] == [
        ('NUMMER', 'N', 10, 0), ('NAME', 'C', 30, 0), ('BETRAG', 'N', 9, 2), ('KURS', 'F', 12, 4),
        ('DATUM', 'D', 8, 0), ('MITGLIED', 'L', 1, 0), ('BEMERKUNGE', 'M', 10, 0)], t.fields
    assert len(t.records) == 3 and len(t.deleted) == 1, (len(t.records), len(t.deleted))
    a, b, c = t.records
    assert a['NUMMER'] == 1 and a['NAME'] == 'Schäfer' and a['BETRAG'] == 12.5 and a['KURS'] == 3.1416, a
    assert a['DATUM'] == datetime.date(1999, 12, 31) and a['MITGLIED'] is True, a
    assert memo(a['BEMERKUNGE']) == 'kurzes Memo', a
    assert b['NAME'] == 'Weiß' and b['BETRAG'] == -0.5 and b['KURS'] is None and b['DATUM'] is None, b
    assert b['MITGLIED'] is False and memo(b['BEMERKUNGE']) == 'L' * 3000 + ' Ende äöü', b['BEMERKUNGE'][-20:]
    assert c['NUMMER'] is None and c['NAME'] == '' and c['MITGLIED'] is None and memo(c['BEMERKUNGE']) in (None, ''), c
    assert t.deleted[0]['NAME'] == 'gelöscht'
print('ok')
)PY";
    std::string out;
    EXPECT_EQ(test::runPython(dir, script, &out), 0) << out;
}

} // namespace
} // namespace trevo::engine
