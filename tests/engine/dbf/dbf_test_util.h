#pragma once
// Helpers of the table tests: a scratch folder on disk and a database over it.
#include "engine/database.h"
#include "engine/dbf/dbf_table.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace trevo::engine::test {

class ScratchDir {
public:
    ScratchDir()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "trevo-dbf-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) std::abort();
        path_ = tmpl;
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline std::vector<uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Runs a command, returns its exit code and collects its standard output.
inline int runCommand(const std::string& command, std::string* output = nullptr)
{
    FILE* p = popen(command.c_str(), "r");
    if (!p) return -1;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        if (output) output->append(buf, n);
    const int status = pclose(p);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs a Python script with Debian's interpreter (where python3-dbf and dbfread live).
inline int runPython(const ScratchDir& dir, const std::string& script, std::string* output = nullptr)
{
    const std::string file = dir.file("script.py");
    std::ofstream(file) << script;
    return runCommand("cd '" + dir.path() + "' && /usr/bin/python3 '" + file + "' 2>&1", output);
}

inline std::vector<FieldDef> allTypesFields()
{
    return {{"NUMMER", 'N', 10, 0}, {"NAME", 'C', 30, 0},   {"BETRAG", 'N', 9, 2}, {"KURS", 'F', 12, 4},
            {"DATUM", 'D', 8, 0},   {"MITGLIED", 'L', 1, 0}, {"BEMERKUNGE", 'M', 10, 0}};
}

} // namespace trevo::engine::test
