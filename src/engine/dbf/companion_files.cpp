#include "engine/dbf/companion_files.h"

#include "engine/core/collation.h"
#include "engine/core/error.h"
#include "engine/dbf/dbf_header.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace trevo::engine {

namespace {

constexpr uint64_t kLongestCodePageFile = 256;

std::vector<uint8_t> readAll(FileSystem& fs, const std::string& path, uint64_t limit = UINT64_MAX)
{
    auto file = fs.open(path, OpenMode::ReadOnly);
    const uint64_t size = std::min(file->size(), limit);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    const size_t got = bytes.empty() ? 0 : file->read(0, bytes.data(), bytes.size());
    bytes.resize(got);
    return bytes;
}

// Modification time of a file on the machine's disk; none for other file systems.
std::optional<std::filesystem::file_time_type> modified(FileSystem& fs, const std::string& path)
{
    if (&fs != &realFileSystem()) return std::nullopt;
    std::error_code ec;
    const auto t = std::filesystem::last_write_time(path, ec);
    if (ec) return std::nullopt;
    return t;
}

// The header of a memo file as the table's kind expects it. A dBASE IV memo file names its
// block size at offset 20 (and the table at 8); a dBASE III one leaves that empty or marks
// itself with 0x03 at offset 16.
bool headerFits(const std::vector<uint8_t>& d, MemoKind kind)
{
    if (kind == MemoKind::DBase4) return d.size() >= 22 && readU16(d.data() + 20) >= 32;
    if (d.size() < 4) return false;
    const bool dbase4 = d.size() >= 22 && d[16] != 0x03 && d[8] != 0 && readU16(d.data() + 20) >= 32;
    return !dbase4;
}

bool fits(const std::vector<uint8_t>& d, MemoKind kind, const std::vector<uint32_t>& blocks)
{
    if (!headerFits(d, kind)) return false;
    const uint16_t blockSize = kind == MemoKind::DBase4 ? readU16(d.data() + 20) : MemoFile::kDefaultBlockSize;
    for (uint32_t block : blocks) {
        if (!readMemoBytes(d.data(), d.size(), kind, blockSize, block)) return false;
        if (kind == MemoKind::DBase3 && startsDbase4Memo(d.data(), d.size(), blockSize, block)) return false;
    }
    return true;
}

std::string namesText(const std::vector<std::string>& paths)
{
    std::string out;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (i > 0) out += i + 1 == paths.size() ? " und " : ", ";
        out += "'" + fileNameOf(paths[i]) + "'";
    }
    return out;
}

} // namespace

std::string companionPath(const std::string& dbfPath, const std::string& upperExtension)
{
    const size_t slash = dbfPath.find_last_of("/\\");
    const size_t dot = dbfPath.rfind('.');
    const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string base = hasExt ? dbfPath.substr(0, dot) : dbfPath;
    const std::string ext = hasExt ? dbfPath.substr(dot + 1) : std::string("DBF");
    const bool lower = std::any_of(ext.begin(), ext.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    std::string wanted = upperExtension;
    if (lower)
        for (char& c : wanted)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return base + "." + wanted;
}

std::vector<std::string> caseVariants(FileSystem& fs, const std::string& path)
{
    std::vector<std::string> out;
    const std::string dir = directoryOf(path);
    const std::string wanted = toUpperGerman(fileNameOf(path));
    std::vector<std::string> names;
    try {
        names = fs.list(dir);
    } catch (const EngineError&) {
        return out;
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        if (toUpperGerman(name) == wanted && !fs.isDirectory(joinPath(dir, name))) out.push_back(joinPath(dir, name));
    return out;
}

MemoChoice chooseMemoFile(FileSystem& fs, const std::vector<std::string>& candidates, const std::string& preferred,
                          MemoKind kind, const std::vector<uint32_t>& blocks, const std::string& tableName)
{
    struct Candidate {
        std::string path;
        bool fits = false;
        std::optional<std::filesystem::file_time_type> time;
        bool preferred = false;
    };
    if (candidates.size() < 2) return {candidates.empty() ? preferred : candidates.front(), {}};
    std::vector<Candidate> all;
    for (const std::string& path : candidates) {
        Candidate c{path, false, modified(fs, path), fileNameOf(path) == fileNameOf(preferred)};
        try {
            c.fits = fits(readAll(fs, path), kind, blocks);
        } catch (const EngineError&) {
            c.fits = false; // unreadable: never the one to use while another is there
        }
        all.push_back(std::move(c));
    }
    // Fitting first, then the newer, then the expected name.
    std::stable_sort(all.begin(), all.end(), [](const Candidate& a, const Candidate& b) {
        if (a.fits != b.fits) return a.fits;
        if (a.time != b.time) return a.time > b.time;
        return a.preferred && !b.preferred;
    });
    const auto fitting = std::count_if(all.begin(), all.end(), [](const Candidate& c) { return c.fits; });
    const bool two = all.size() == 2;
    MemoChoice choice;
    choice.path = all.front().path;
    std::string read = "gelesen wird '" + fileNameOf(choice.path) + "'";
    const Candidate& next = all[1];
    if (fitting != 1 && all.front().time && next.time && *all.front().time > *next.time)
        read = "gelesen wird " + std::string(two ? "die neuere" : "die neueste") + ", '" + fileNameOf(choice.path) + "'";
    std::string why;
    if (fitting == 1)
        why = read + ", die zur Tabelle passt";
    else if (fitting > 1)
        why = std::string(two ? "beide" : "mehrere") + " passen zur Tabelle, " + read;
    else
        why = "keine passt ganz zur Tabelle, " + read;
    choice.notice = "Neben der Tabelle '" + tableName + "' liegen " + (two ? "zwei" : std::to_string(all.size())) +
                    " Memodateien, " + namesText(candidates) + "; " + why;
    return choice;
}

CodePageFile readCodePageFile(FileSystem& fs, const std::string& dbfPath)
{
    CodePageFile f;
    const std::string path = resolveCaseInsensitive(fs, companionPath(dbfPath, "CPG"));
    if (!fs.exists(path) || fs.isDirectory(path)) return f;
    std::vector<uint8_t> bytes;
    try {
        bytes = readAll(fs, path, kLongestCodePageFile);
    } catch (const EngineError&) {
        return f;
    }
    f.path = path;
    f.text.assign(bytes.begin(), bytes.end());
    if (f.text.compare(0, 3, "\xEF\xBB\xBF") == 0) f.text.erase(0, 3);
    const size_t end = f.text.find_first_of("\r\n");
    if (end != std::string::npos) f.text.resize(end);
    while (!f.text.empty() && (f.text.back() == ' ' || f.text.back() == '\t' || f.text.back() == '\0'))
        f.text.pop_back();
    while (!f.text.empty() && (f.text.front() == ' ' || f.text.front() == '\t')) f.text.erase(0, 1);
    f.page = codePageNamed(f.text);
    return f;
}

} // namespace trevo::engine
