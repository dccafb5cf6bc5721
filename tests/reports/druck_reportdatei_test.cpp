// Where the report file of a print is found: options name files by name alone, with
// a folder of another machine, or a folder that no longer exists.
#include "druck_test_util.h"

#include "reports/druck/report_file.h"

#include <QDir>

#include <gtest/gtest.h>

namespace trevo::reports::test {
namespace {

TEST(Reportdatei, OptionsNameTheirFileWithoutRegardToCase)
{
    common::StoredOptions options;
    options.kontolistFilename = "D:\\Verein\\Kasse.qr2";
    options.aemterlisteFilename.clear();
    EXPECT_EQ(reportFileOfOption(options, "Mitgliederlistfilename", "X"), "MITGLIEDERLIST.QR2");
    EXPECT_EQ(reportFileOfOption(options, "KONTOLISTFILENAME", "X"), "D:\\Verein\\Kasse.qr2");
    EXPECT_EQ(reportFileOfOption(options, "AemterlisteFilename", "AEMTERLISTE.QR2"), "AEMTERLISTE.QR2") << "empty";
    EXPECT_EQ(reportFileOfOption(options, "Datenordner", "STANDARD.QR2"), "STANDARD.QR2") << "not a report";
    EXPECT_EQ(reportFileOfOption(options, "Unbekannt", "STANDARD.QR2"), "STANDARD.QR2");
}

TEST(Reportdatei, FoundWhereNamedElseUnderItsNameInTheDataFolder)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("daten") && QDir(root.path()).mkpath("andere"));
    const std::string daten = root.filePath("daten/").toStdString();
    const std::string andere = root.filePath("andere/").toStdString();
    auto& fs = engine::realFileSystem();
    for (const std::string& file : {daten + "liste.qr2", andere + "LISTE.QR2", andere + "NUR_DORT.QR2"})
        fs.open(file, engine::OpenMode::Create);

    EXPECT_EQ(findReportFile(fs, "LISTE.QR2", daten), daten + "liste.qr2") << "bare name, any case";
    EXPECT_EQ(findReportFile(fs, andere + "Liste.Qr2", daten), andere + "LISTE.QR2") << "the named one first";
    EXPECT_EQ(findReportFile(fs, andere + "NUR_DORT.QR2", daten), andere + "NUR_DORT.QR2");
    EXPECT_EQ(findReportFile(fs, root.filePath("weg/LISTE.QR2").toStdString(), daten), daten + "liste.qr2")
        << "a folder that no longer exists";
    EXPECT_EQ(findReportFile(fs, "C:\\Programme\\Trevo\\LISTE.QR2", daten), daten + "liste.qr2") << "another machine";
    EXPECT_EQ(findReportFile(fs, andere + "FEHLT.QR2", daten), std::nullopt);
    EXPECT_EQ(findReportFile(fs, "", daten), std::nullopt);
    EXPECT_EQ(findReportFile(fs, daten + "andere", daten), std::nullopt) << "not a folder";

    // A path into the data folder (in any spelling) is not looked for a second time.
    const std::string datenAnders = root.filePath("DATEN/").toStdString();
    EXPECT_TRUE(sameFolder(datenAnders, daten));
    EXPECT_TRUE(sameFolder(root.filePath("daten").toStdString(), daten));
    EXPECT_FALSE(sameFolder(andere, daten));
    EXPECT_EQ(findReportFile(fs, datenAnders + "LISTE.QR2", daten), std::nullopt);
}

TEST(Reportdatei, PrintOfAMissingFileNamesItWithoutFolder)
{
    DruckTest t;
    QTemporaryDir elsewhere;
    t.write(memberList(), "MITGLIEDERLIST.QR2");
    t.druck.DruckeListe(elsewhere.filePath("alt/MITGLIEDERLIST.QR2"), t.dataFile("KEGLER.DBF"));
    ASSERT_EQ(t.previews.size(), 1u) << "the data folder's file of that name";
    EXPECT_EQ(t.previews[0].fileName, "MITGLIEDERLIST.QR2");

    const QString dataFolderInCapitals = QString::fromStdString(t.club.folder).toUpper();
    t.druck.DruckeListe(dataFolderInCapitals + "X.QR2", t.dataFile("KEGLER.DBF"));
    t.write(memberList(), "X.QR2");
    t.druck.DruckeListe(dataFolderInCapitals + "X.QR2", t.dataFile("KEGLER.DBF"));
    EXPECT_EQ(t.dialogs.texts(), QStringList({"Die Reportdatei X.QR2 ist nicht vorhanden",
                                              "Die Reportdatei X.QR2 ist nicht vorhanden"}));
    EXPECT_EQ(t.previews.size(), 1u);
    EXPECT_TRUE(t.shell.waitOff());
}

} // namespace
} // namespace trevo::reports::test
