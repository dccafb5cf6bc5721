// trevo-sql next to other programs on one data folder: two runs at once keep every row;
// a folder that another program holds makes it wait a few seconds and end with exit code 1,
// naming the holder.
#include "storage/temp_folder.h"

#include "engine/database.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <signal.h>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

using namespace trevo::engine;
using trevo::engine::test::TempFolder;

namespace {

struct ToolRun {
    int code = -1;
    std::string output;
};

// Starts trevo-sql on the folder with the statements as standard input.
FILE* start(const TempFolder& folder, const std::string& input, const std::string& name)
{
    const std::string in = folder.file(name);
    std::ofstream(in) << input;
    const std::string cmd = std::string(TREVO_TOOLS_DIR) + "/trevo-sql " + folder.path() + " < " + in + " 2>&1";
    return ::popen(cmd.c_str(), "r");
}

ToolRun finish(FILE* p)
{
    ToolRun r;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.output.append(buf, n);
    const int status = ::pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string inserts(int base)
{
    std::string s;
    for (int i = 0; i < 200; ++i) {
        const int n = base + i;
        s += "INSERT INTO KONTO (NUMMER, TEXT) VALUES (" + std::to_string(n) + ", 'Buchung " + std::to_string(n) + "')\n;\n";
    }
    return s;
}

void makeKonto(const TempFolder& folder)
{
    Database db;
    db.session().atomically(
        [&] { db.createTable(folder.file("KONTO.DBF"), {{"NUMMER", 'N', 8, 0}, {"TEXT", 'M', 10, 0}}); });
}

TEST(SharingTool, TwoRunsOfTrevoSqlAtOnceKeepEveryRow)
{
    TempFolder folder;
    makeKonto(folder);
    FILE* a = start(folder, inserts(1000), "a.sql");
    FILE* b = start(folder, inserts(2000), "b.sql");
    const ToolRun ra = finish(a), rb = finish(b);
    EXPECT_EQ(ra.code, 0) << ra.output;
    EXPECT_EQ(rb.code, 0) << rb.output;
    Database db;
    auto t = db.table(folder.file("KONTO.DBF"));
    std::set<int> numbers;
    for (uint32_t r = 0; r < t->recordCount(); ++r) {
        ASSERT_FALSE(t->isDeleted(r));
        const Record rec = t->getRecord(r);
        const int n = static_cast<int>(rec[0].number());
        EXPECT_EQ(rec[1].text(), "Buchung " + std::to_string(n));
        numbers.insert(n);
    }
    EXPECT_EQ(numbers.size(), 400u);
}

TEST(SharingTool, HeldFolderEndsTrevoSqlAfterAShortWaitNamingTheHolder)
{
    TempFolder folder;
    makeKonto(folder);
    Database holder;
    holder.storage().setProgram("Trevo");
    holder.holdFolder(folder.path());
    const auto t0 = std::chrono::steady_clock::now();
    const ToolRun r = finish(start(folder, "INSERT INTO KONTO (NUMMER) VALUES (1)\n", "c.sql"));
    const auto waited = std::chrono::steady_clock::now() - t0;
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.output.find("Der Datenordner '" + folder.path()), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("mit 'Trevo' benutzt"), std::string::npos) << r.output;
    EXPECT_GE(waited, std::chrono::seconds(2));
    EXPECT_LT(waited, std::chrono::seconds(20));
    // Reading needs no hold.
    const ToolRun reading = finish(start(folder, "SELECT COUNT(*) FROM KONTO\n", "d.sql"));
    EXPECT_EQ(reading.code, 0) << reading.output;
    EXPECT_EQ(holder.table(folder.file("KONTO.DBF"))->recordCount(), 0u);
}

TEST(SharingTool, CtrlCCancelsTheRunningStatementOfTrevoSql)
{
    TempFolder folder;
    {
        Database db;
        db.session().atomically([&] {
            auto t = db.createTable(folder.file("KONTO.DBF"), {{"NUMMER", 'N', 8, 0}, {"TEXT", 'M', 10, 0}});
            for (int i = 0; i < 300; ++i) t->append({Value::number(i), Value::null()});
        });
    }
    const std::string in = folder.file("e.sql");
    std::ofstream(in) << "SELECT COUNT(*) FROM KONTO A, KONTO B, KONTO C, KONTO D\n";
    const std::string out = folder.file("e.out");
    const pid_t pid = ::fork();
    if (pid == 0) {
        const std::string tool = std::string(TREVO_TOOLS_DIR) + "/trevo-sql";
        ::execl("/bin/sh", "sh", "-c", ("exec " + tool + " " + folder.path() + " < " + in + " > " + out + " 2>&1").c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const auto t0 = std::chrono::steady_clock::now();
    ::kill(pid, SIGINT);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5));
    ASSERT_TRUE(WIFEXITED(status)) << "beendet durch Signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::ifstream text(out);
    const std::string message((std::istreambuf_iterator<char>(text)), std::istreambuf_iterator<char>());
    EXPECT_NE(message.find("Die Anweisung wurde abgebrochen"), std::string::npos) << message;
}

} // namespace
