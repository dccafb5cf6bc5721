// The data module's tables and the statements of the SQL window on the same files.
#include "sql_fixture.h"

#include "engine/dataset/table_data_set.h"

#include <QFile>

namespace trevo::sqlwindow::test {

TEST_F(SqlFenster, TheDataModulesTablesSeeWhatAStatementChanged)
{
    ausfuehren(QStringLiteral("UPDATE KEGLER SET VORNAME = 'Kurt' WHERE NAME = 'Schmidt'"), w->ExecSQLBtn);
    ausfuehren(QStringLiteral("DELETE FROM KEGLER WHERE NAME = 'Adler'"), w->ExecSQLBtn);
    ASSERT_TRUE(fehler().isEmpty()) << fehler().join(" | ").toStdString();

    engine::TableDataSet& kegler = verein.kegler();
    kegler.refresh();
    EXPECT_EQ(kegler.recordCount(), 2u);
    ASSERT_TRUE(kegler.locate("NAME", engine::Value::text("Schmidt")));
    EXPECT_EQ(kegler.text("VORNAME"), "Kurt");
}

TEST_F(SqlFenster, TablesTheProgramHoldsOpenKeepTheirStructure)
{
    // The data module holds KEGLER.DBF open: rebuilding it would leave the module writing
    // into the old table, and what it stored would be lost.
    const QString anfuegen = QStringLiteral("ALTER TABLE KEGLER ADD SPITZNAME CHAR(10)");
    ausfuehren(anfuegen, w->ExecSQLBtn);
    ASSERT_EQ(fehler().size(), 1);
    EXPECT_EQ(fehler()[0], "Die Tabelle 'KEGLER' wird vom Programm benutzt: ihr Aufbau kann hier nicht geändert werden");
    EXPECT_EQ(w->Memo1->toPlainText(), anfuegen);
    ausfuehren(QStringLiteral("DROP TABLE \"%1\"").arg(QString::fromStdString(verein.pfad("KEGLER.DBF"))));
    EXPECT_EQ(fehler().size(), 2);

    engine::TableDataSet& kegler = verein.kegler();
    kegler.append();
    kegler.setText("NAME", "Zander");
    kegler.post();
    EXPECT_EQ(verein.dateiInhalt("KEGLER.DBF").size(), 4u);
    EXPECT_EQ(verein.dateiInhalt("KEGLER.DBF")[0].size(), kegler.table()->fields().size());

    // A table of its own is the user's to change, and to drop.
    ausfuehren(QStringLiteral("CREATE TABLE EIGENE (NAME CHAR(20))"), w->ExecSQLBtn);
    ausfuehren(QStringLiteral("INSERT INTO EIGENE (NAME) VALUES ('Zander')"), w->ExecSQLBtn);
    ausfuehren(QStringLiteral("ALTER TABLE EIGENE ADD SPITZNAME CHAR(10)"), w->ExecSQLBtn);
    EXPECT_EQ(fehler().size(), 2) << fehler().join(" | ").toStdString();
    ausfuehren(QStringLiteral("SELECT NAME, SPITZNAME FROM EIGENE"));
    ASSERT_EQ(zeilen(), 1);
    EXPECT_EQ(titel(1), "SPITZNAME");
    ausfuehren(QStringLiteral("DROP TABLE EIGENE"), w->ExecSQLBtn);
    EXPECT_EQ(fehler().size(), 2) << fehler().join(" | ").toStdString();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(verein.pfad("EIGENE.DBF"))));
}

} // namespace trevo::sqlwindow::test
