#pragma once
// The files beside a table that other programs leave: a second memo file whose name
// differs only in case (a spreadsheet that saved KEGLER.DBF on Linux writes KEGLER.dbt and
// leaves KEGLER.DBT behind), and a .cpg file naming the code page (GIS programs write it).
#include "engine/codepage/code_page.h"
#include "engine/dbf/memo_file.h"
#include "engine/fs/file_system.h"

#include <string>
#include <vector>

namespace trevo::engine {

// The file beside a table with the same name and another extension, written in the case
// of the table's extension ("KEGLER.DBF" -> "KEGLER.DBT", "kegler.dbf" -> "kegler.dbt").
std::string companionPath(const std::string& dbfPath, const std::string& upperExtension);

// The files of the folder whose names equal the path's name without regard to case.
std::vector<std::string> caseVariants(FileSystem& fs, const std::string& path);

struct MemoChoice {
    std::string path;
    std::string notice; // German; says which file is read and why
};

// Chooses among two or more memo files of one table the one whose format and block references
// fit the table; among several that fit (or when none does) the newer one, and on equal
// age the one named `preferred`. `blocks` are the table's memo references (0 left out).
MemoChoice chooseMemoFile(FileSystem& fs, const std::vector<std::string>& candidates, const std::string& preferred,
                          MemoKind kind, const std::vector<uint32_t>& blocks, const std::string& tableName);

struct CodePageFile {
    std::string path;               // empty when the table has none
    std::string text;               // what it says, trimmed
    const CodePage* page = nullptr; // null when it names no page read here
};

// Reads the .cpg file beside a table, if there is one.
CodePageFile readCodePageFile(FileSystem& fs, const std::string& dbfPath);

} // namespace trevo::engine
