// Statement files: saved and loaded through the window's buttons and the file chooser,
// their bytes, older files in Windows-1252, and files that cannot be read or written.
#include "sql_fixture.h"

#include "engine/fs/file_system.h"
#include "sqlwindow/sql_textdatei.h"

#include <QFile>
#include <QTemporaryDir>

namespace trevo::sqlwindow::test {

namespace {

QByteArray inhalt(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

void schreiben(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class SqlDateien : public SqlFenster {
protected:
    QString pfad(const QString& name) const { return ordner.path() + QLatin1Char('/') + name; }
    QTemporaryDir ordner;
};

TEST_F(SqlDateien, SavingAndLoadingRestoresTheMemoExactly)
{
    const QString text = QStringLiteral("SELECT NAME, VORNAME\n\n  FROM KEGLER\nWHERE NAME LIKE 'mü%'\n\n");
    w->Memo1->setPlainText(text);

    script.choose(pfad("abfrage")); // the default extension is added
    QTest::mouseClick(w->TextSpeichernBtn, Qt::LeftButton);
    EXPECT_EQ(inhalt(pfad("abfrage.SQL")),
              QByteArray("SELECT NAME, VORNAME\r\n\r\n  FROM KEGLER\r\nWHERE NAME LIKE 'm\xC3\xBC%'\r\n\r\n\r\n"));
    EXPECT_FALSE(QFile::exists(pfad("abfrage")));

    w->Memo1->setPlainText(QStringLiteral("etwas anderes"));
    script.choose(pfad("abfrage"));
    QTest::mouseClick(w->TextLadenBtn, Qt::LeftButton);
    EXPECT_EQ(w->Memo1->toPlainText(), text);
    EXPECT_EQ(script.choosers(), QStringList({"Speichern unter", "Öffnen"}));
    EXPECT_TRUE(fehler().isEmpty()) << fehler().join(" | ").toStdString();

    // The loaded statement runs as it was saved.
    QTest::mouseClick(w->AbfrageStartenBtn, Qt::LeftButton);
    EXPECT_EQ(zeilen(), 1);

    // A cancelled chooser changes nothing.
    script.choose(std::nullopt);
    QTest::mouseClick(w->TextLadenBtn, Qt::LeftButton);
    script.choose(std::nullopt);
    QTest::mouseClick(w->TextSpeichernBtn, Qt::LeftButton);
    EXPECT_EQ(w->Memo1->toPlainText(), text);
    EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files), QStringList({"abfrage.SQL"}));
}

TEST_F(SqlDateien, AnOlderFileInWindows1252ReadsWithItsUmlauts)
{
    schreiben(pfad("ALT.SQL"), QByteArray("SELECT NAME FROM KEGLER\r\nWHERE NAME = 'M\xFCller'\r\n"));
    script.choose(pfad("ALT.SQL"));
    QTest::mouseClick(w->TextLadenBtn, Qt::LeftButton);
    EXPECT_EQ(w->Memo1->toPlainText(), "SELECT NAME FROM KEGLER\nWHERE NAME = 'Müller'");
    QTest::mouseClick(w->AbfrageStartenBtn, Qt::LeftButton);
    EXPECT_EQ(zeilen(), 1);
}

TEST_F(SqlDateien, FilesThatCannotBeReadOrWrittenAreReportedAndTheMemoStays)
{
    w->Memo1->setPlainText(QStringLiteral("SELECT * FROM KEGLER"));
    script.choose(pfad("fehlt.SQL"));
    QTest::mouseClick(w->TextLadenBtn, Qt::LeftButton);
    ASSERT_EQ(fehler().size(), 1);
    EXPECT_TRUE(fehler()[0].contains("fehlt.SQL")) << fehler()[0].toStdString();
    EXPECT_EQ(w->Memo1->toPlainText(), "SELECT * FROM KEGLER");

    // A file in a folder that is not there: the message names the chosen file.
    script.choose(pfad("kein/ordner.SQL"));
    QTest::mouseClick(w->TextSpeichernBtn, Qt::LeftButton);
    ASSERT_EQ(fehler().size(), 2);
    EXPECT_TRUE(fehler()[1].contains("ordner.SQL'")) << fehler()[1].toStdString();
    EXPECT_FALSE(fehler()[1].contains(".neu")) << fehler()[1].toStdString();

    // Saving over an existing file replaces it and leaves nothing beside it.
    schreiben(pfad("da.SQL"), QByteArray("alt\r\n"));
    script.choose(pfad("da.SQL"));
    QTest::mouseClick(w->TextSpeichernBtn, Qt::LeftButton);
    EXPECT_EQ(inhalt(pfad("da.SQL")), QByteArray("SELECT * FROM KEGLER\r\n"));
    EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files), QStringList({"da.SQL"}));
}

TEST(SqlTextdatei, LinesRoundTripAndTheDefaultExtensionIsAddedOnlyWithoutOne)
{
    for (const QString& text : {QString(), QStringLiteral("\n"), QStringLiteral("x"), QStringLiteral("x\n"),
                                QStringLiteral("\n\nSELECT\n\n"), QStringLiteral("ä\tß")})
        EXPECT_EQ(sqlTextAusBytes(sqlTextAlsBytes(text)), text) << text.toStdString();
    EXPECT_EQ(sqlTextAlsBytes(QString()), "");
    EXPECT_EQ(sqlTextAusBytes("\xEF\xBB\xBFSELECT 1\n"), "SELECT 1"); // byte order mark, LF only
    EXPECT_EQ(sqlTextAusBytes("a\rb\r"), "a\nb");

    QTemporaryDir dir;
    const QString ohne = dir.path() + "/abfrage";
    engine::FileSystem& fs = engine::realFileSystem();
    EXPECT_EQ(mitStandardendung(ohne, fs, false), ohne + ".SQL");
    EXPECT_EQ(mitStandardendung(ohne, fs, true), ohne + ".SQL");
    EXPECT_EQ(mitStandardendung(ohne + ".txt", fs, false), ohne + ".txt");
    schreiben(ohne, "x");
    EXPECT_EQ(mitStandardendung(ohne, fs, true), ohne); // an existing file opens as named
    EXPECT_EQ(mitStandardendung(ohne, fs, false), ohne + ".SQL");
}

} // namespace trevo::sqlwindow::test
