// Path helpers shared by every file system.
#include "engine/fs/file_system.h"

#include "engine/core/collation.h"
#include "engine/core/error.h"

namespace trevo::engine {

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

size_t lastSeparator(const std::string& path)
{
    for (size_t i = path.size(); i > 0; --i)
        if (isSeparator(path[i - 1])) return i - 1;
    return std::string::npos;
}

} // namespace

std::string normalizePath(const std::string& path)
{
    std::string out = path;
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}

std::string joinPath(const std::string& dir, const std::string& name)
{
    if (dir.empty()) return normalizePath(name);
    if (isSeparator(dir.back())) return normalizePath(dir + name);
    return normalizePath(dir + "/" + name);
}

std::string directoryOf(const std::string& path)
{
    const size_t sep = lastSeparator(path);
    if (sep == std::string::npos) return ".";
    if (sep == 0) return "/";
    return normalizePath(path.substr(0, sep));
}

std::string fileNameOf(const std::string& path)
{
    const size_t sep = lastSeparator(path);
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string resolveCaseInsensitive(FileSystem& fs, const std::string& path)
{
    if (fs.exists(path)) return path;
    const std::string dir = directoryOf(path);
    const std::string wanted = toUpperGerman(fileNameOf(path));
    if (wanted.empty()) return path;
    std::vector<std::string> names;
    try {
        names = fs.list(dir);
    } catch (const EngineError&) {
        return path;
    }
    const size_t sep = lastSeparator(path);
    const std::string prefix = sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
    for (const std::string& name : names)
        if (toUpperGerman(name) == wanted) return prefix + name;
    return path;
}

} // namespace trevo::engine
