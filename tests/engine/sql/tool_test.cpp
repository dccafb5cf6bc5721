// trevo-sql on a real folder: statements from the command line and from standard input.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct ToolRun {
    int status;
    std::string out;
};

ToolRun runTool(const std::string& args, const std::string& input = "")
{
    const std::string in = std::filesystem::temp_directory_path() / "trevo-sql-test-input.txt";
    std::ofstream(in) << input;
    const std::string cmd = std::string(TREVO_TOOLS_DIR) + "/trevo-sql " + args + " < " + in + " 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    const int status = pclose(p);
    return {WEXITSTATUS(status), out};
}

} // namespace

TEST(TrevoSqlTool, RunsStatementsAndReportsErrors)
{
    const auto dir = std::filesystem::temp_directory_path() / "trevo-sql-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string folder = dir.string();
    ToolRun r = runTool(folder + " 'CREATE TABLE \"kegler.dbf\" (NUMMER INTEGER, NAME CHAR(20), GEB DATE, BETRAG NUMERIC(8,2))'");
    EXPECT_EQ(r.status, 0) << r.out;
    r = runTool(folder, "INSERT INTO KEGLER VALUES (1, 'Meier', '3.4.1950', 2.5)\n;\n"
                    "INSERT INTO KEGLER (NUMMER, NAME) VALUES (2, 'Tab\there')\n;\n"
                    "SELECT NUMMER, NAME, GEB, BETRAG\nFROM KEGLER\nORDER BY NUMMER\n");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "1\n1\nNUMMER\tNAME\tGEB\tBETRAG\n1\tMeier\t03.04.1950\t2.5\n2\tTab\\there\t\t\n");
    r = runTool(folder + " 'SELECT NAMEN FROM KEGLER'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Unbekannte Spalte 'NAMEN' in Zeile 1\n");
    r = runTool(folder + "/fehlt 'SELECT 1 FROM X'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("nicht gefunden"), std::string::npos);
    std::filesystem::remove_all(dir);
}
