#pragma once
// Tables of a small club for the data-set tests, and an event recorder.
#include "../index/test_tables.h"
#include "engine/dataset/table_data_set.h"

#include <string>
#include <vector>

namespace trevo::engine::test {

// Writes the name of every event handler call into a log.
inline void recordEvents(DataSet& ds, std::vector<std::string>& log)
{
    auto rec = [&log](const char* name) { return [&log, name](DataSet&) { log.push_back(name); }; };
    ds.events.beforeInsert = rec("beforeInsert");
    ds.events.afterInsert = rec("afterInsert");
    ds.events.beforeEdit = rec("beforeEdit");
    ds.events.afterEdit = rec("afterEdit");
    ds.events.beforePost = rec("beforePost");
    ds.events.afterPost = rec("afterPost");
    ds.events.beforeCancel = rec("beforeCancel");
    ds.events.afterCancel = rec("afterCancel");
    ds.events.beforeDelete = rec("beforeDelete");
    ds.events.afterDelete = rec("afterDelete");
    ds.events.afterScroll = rec("afterScroll");
}

using Log = std::vector<std::string>;

class ClubTables : public ::testing::Test {
protected:
    void SetUp() override
    {
        kegler = folder.create("KEGLER.DBF", {numField("NUMMER"), textField("MITGLIEDNR", 10), textField("NAME", 50),
                                             textField("VORNAME", 50), logicalField("MITGLIED"), dateField("GEBURTSTAG")});
        const char* names[][3] = {{"7", "Schmidt", "Karl"}, {"3", "Müller", "Anna"}, {"12", "Adler", "Bernd"}};
        for (int i = 0; i < 3; ++i)
            folder.add(*kegler, {num(i + 1), txt(names[i][0]), txt(names[i][1]), txt(names[i][2]), Value::logical(i != 2),
                                 Value::date(daysFromCivil(1960 + i, 5, 1))});
        termine = folder.create("TERMINE.DBF", {numField("NUMMER"), dateField("DATUM"), numField("BEITRAG", 8, 2),
                                               numField("PREISLISTE")});
        for (int i = 0; i < 3; ++i)
            folder.add(*termine, {num(i + 1), Value::date(daysFromCivil(2024, 1, 10 + 7 * i)), num(5), num(1)});
        keglterm = folder.create("KEGLTERM.DBF", {numField("NUMMER"), numField("TERMIN"), numField("KEGLER"), numField("ABSCHNITT")});
        // Evening 1: three bowlers in section 1, one in section 2; evening 2: two; evening 3: none.
        const int rows[][3] = {{1, 1, 1}, {1, 2, 1}, {2, 1, 1}, {1, 3, 1}, {2, 3, 1}, {1, 1, 2}};
        for (int i = 0; i < 6; ++i) folder.add(*keglterm, {num(i + 1), num(rows[i][0]), num(rows[i][1]), num(rows[i][2])});
    }

    TableFolder folder;
    std::shared_ptr<DbfTable> kegler, termine, keglterm;
};

} // namespace trevo::engine::test
