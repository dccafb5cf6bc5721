// The installation tool as the user runs it.
#include "store_test_util.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sys/wait.h>

namespace {

struct ToolRun {
    int exitCode;
    std::string output; // standard output and error
};

ToolRun setup(const std::string& args)
{
    const std::string cmd = std::string(TREVO_TOOLS_DIR) + "/trevo-setup " + args + " 2>&1";
    ToolRun r{-1, {}};
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf{};
    while (size_t n = fread(buf.data(), 1, buf.size(), p)) r.output.append(buf.data(), n);
    const int status = pclose(p);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

} // namespace

TEST(SetupTool, InstallsOnceAndThenSaysThatNothingChanged)
{
    trevo::data::test::TempFolder dir;
    ToolRun first = setup("datenordner " + dir.file("daten"));
    EXPECT_EQ(first.exitCode, 0) << first.output;
    EXPECT_NE(first.output.find("Datei 'WAEHRUNGEN.DBF' angelegt"), std::string::npos) << first.output;
    const auto files = trevo::data::test::snapshot(dir.file("daten"));
    EXPECT_EQ(files.size(), 22u + 14u); // the tables and the report layouts
    ToolRun second = setup("datenordner " + dir.file("daten"));
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_NE(second.output.find("Datei 'KONTOINF.DBF' ist schon vorhanden, nichts geändert"), std::string::npos);
    EXPECT_EQ(second.output.find("angelegt"), std::string::npos);
    EXPECT_EQ(trevo::data::test::snapshot(dir.file("daten")), files);

    ToolRun program = setup("programmordner " + dir.file("programm"));
    EXPECT_EQ(program.exitCode, 0) << program.output;
    EXPECT_NE(program.output.find("Datei 'KEGELCFG.DB' angelegt"), std::string::npos);
    EXPECT_NE(setup("programmordner " + dir.file("programm")).output.find("nichts geändert"), std::string::npos);
}

TEST(SetupTool, DemoWithItsOptionsAndWrongCalls)
{
    trevo::data::test::TempFolder dir;
    ToolRun demo = setup("demo " + dir.file("demo") + " --jahre 1 --kegler 10 --seed 7");
    EXPECT_EQ(demo.exitCode, 0) << demo.output;
    EXPECT_NE(demo.output.find("KEGLER.DBF: 10 Datensätze"), std::string::npos) << demo.output;
    EXPECT_NE(demo.output.find("Democlub in"), std::string::npos);

    EXPECT_EQ(setup("").exitCode, 2);
    ToolRun unknown = setup("demo " + dir.file("x") + " --wochen 3");
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.output.find("Unbekannte Angabe '--wochen'"), std::string::npos);
    EXPECT_EQ(setup("demo " + dir.file("x") + " --jahre zwei").exitCode, 2);
    ToolRun range = setup("demo " + dir.file("x") + " --jahre 99");
    EXPECT_EQ(range.exitCode, 1);
    EXPECT_NE(range.output.find("Fehler: Die Anzahl der Jahre muss zwischen 1 und 50 liegen"), std::string::npos);
    EXPECT_EQ(setup("installieren " + dir.file("x")).exitCode, 2);
}

TEST(SetupTool, BacksUpAndRestoresADataFolderWithoutAScreen)
{
    trevo::data::test::TempFolder dir;
    const std::string daten = dir.file("daten"), ziel = dir.file("sicherungen");
    ASSERT_EQ(setup("demo " + daten).exitCode, 0);
    const auto vorher = trevo::data::test::snapshot(daten);

    ToolRun gesichert = setup("sichern " + daten + " " + ziel);
    ASSERT_EQ(gesichert.exitCode, 0) << gesichert.output;
    const std::string prefix = "Sicherung geschrieben: ";
    ASSERT_EQ(gesichert.output.rfind(prefix, 0), 0u) << gesichert.output;
    std::string zip = gesichert.output.substr(prefix.size());
    zip.erase(zip.find_last_not_of("\n") + 1);
    EXPECT_NE(zip.find("/Trevo-Sicherung-"), std::string::npos) << zip;

    // The club's tables change, then the backup comes back.
    {
        std::ofstream(daten + "/KEGLER.DBF", std::ios::trunc) << "kaputt";
    }
    ToolRun zurueck = setup("zurueckspielen " + zip + " " + daten);
    ASSERT_EQ(zurueck.exitCode, 0) << zurueck.output;
    EXPECT_NE(zurueck.output.find("die bisherigen Daten sind gesichert in"), std::string::npos) << zurueck.output;
    EXPECT_EQ(trevo::data::test::snapshot(daten), vorher);

    // A file that is no backup is refused with a German message and changes nothing.
    {
        std::ofstream(dir.file("fremd.zip")) << "kein Archiv";
    }
    ToolRun fremd = setup("zurueckspielen " + dir.file("fremd.zip") + " " + daten);
    EXPECT_EQ(fremd.exitCode, 1);
    EXPECT_NE(fremd.output.find("beschädigt"), std::string::npos) << fremd.output;
    EXPECT_EQ(trevo::data::test::snapshot(daten), vorher);
}
