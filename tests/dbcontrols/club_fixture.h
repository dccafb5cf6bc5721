#pragma once
// Two small tables in a temporary folder with open data sets, for the data-aware controls.
#include "common/dialogs/scripted_dialogs.h"

#include "engine/database.h"
#include "engine/dataset/table_data_set.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace trevo::controls::test {

using engine::Value;

inline engine::FieldDef field(const char* name, char type, uint8_t length = 0, uint8_t decimals = 0)
{
    return {name, type, length, decimals};
}

struct ClubFixture {
    common::ScriptedDialogs script;
    common::DialogsScope scope{script};
    QTemporaryDir dir;
    engine::Database db;
    std::unique_ptr<engine::TableDataSet> kegler, aemter;
    QWidget window;

    ClubFixture()
    {
        const std::string folder = dir.path().toStdString() + "/";
        db.session().atomically([&] {
            db.createTable(folder + "KEGLER.DBF",
                           {field("NUMMER", 'N', 8), field("NAME", 'C', 30), field("BEITRAG", 'N', 8, 2),
                            field("GEBURTSTAG", 'D', 8), field("MITGLIED", 'L', 1), field("GUELTIG", 'N', 2),
                            field("BEMERKUNG", 'M', 10), field("FUNKTION", 'N', 4)});
            db.createTable(folder + "FUNKTION.DBF",
                           {field("NUMMER", 'N', 4), field("BEZEICHNUN", 'C', 30), field("KUERZEL", 'C', 5)});
        });
        kegler = std::make_unique<engine::TableDataSet>(db, db.session(), folder + "KEGLER.DBF");
        aemter = std::make_unique<engine::TableDataSet>(db, db.session(), folder + "FUNKTION.DBF");
        kegler->open();
        aemter->open();
        addKegler(1, "Adler", 5, true, 2);
        addKegler(2, "Becker", 2.5, false, 1);
        addKegler(3, "Conrad", Value(), Value(), Value());
        const char* offices[][2] = {{"Kassierer", "KA"}, {"Vorsitzender", "VO"}, {"Schriftführer", "SF"}};
        for (int i = 0; i < 3; ++i) {
            aemter->append();
            aemter->setValue("NUMMER", Value::number(i + 1));
            aemter->setValue("BEZEICHNUN", Value::text(offices[i][0]));
            aemter->setValue("KUERZEL", Value::text(offices[i][1]));
            aemter->post();
        }
        kegler->first();
        aemter->first();
    }

    void addKegler(int nummer, const char* name, Value beitrag, Value mitglied, Value funktion)
    {
        kegler->append();
        kegler->setValue("NUMMER", Value::number(nummer));
        kegler->setValue("NAME", Value::text(name));
        kegler->setValue("BEITRAG", beitrag);
        kegler->setValue("MITGLIED", mitglied);
        kegler->setValue("FUNKTION", funktion);
        kegler->post();
    }
    void addKegler(int nummer, const char* name, double beitrag, bool mitglied, int funktion)
    {
        addKegler(nummer, name, Value::number(beitrag), Value::logical(mitglied), Value::number(funktion));
    }

    // Shows the window and makes it active, so focus changes arrive.
    void showWindow()
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

} // namespace trevo::controls::test
