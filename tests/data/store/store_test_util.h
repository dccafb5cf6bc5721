#pragma once
// Helpers of the data store tests: temporary folders and whole-folder snapshots.
#include "../../engine/storage/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace trevo::data::test {

using trevo::engine::test::TempFolder;

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// File name -> contents of every file of the folder but its lock file, which records who
// held the folder last (user, process, since when).
inline std::map<std::string, std::string> snapshot(const std::string& folder)
{
    std::map<std::string, std::string> s;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        if (e.path().filename() != "TREVO.LCK") s[e.path().filename().string()] = readFile(e.path().string());
    return s;
}

} // namespace trevo::data::test
