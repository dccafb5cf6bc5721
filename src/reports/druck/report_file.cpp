#include "reports/druck/report_file.h"

#include "engine/core/collation.h"

namespace trevo::reports {

namespace {

bool hasFolder(const std::string& file)
{
    return file.find_first_of("/\\") != std::string::npos;
}

std::string existing(engine::FileSystem& fs, const std::string& path)
{
    const std::string found = engine::resolveCaseInsensitive(fs, path);
    return fs.exists(found) && !fs.isDirectory(found) ? found : std::string();
}

} // namespace

QString reportFileOfOption(const common::StoredOptions& options, const QString& option, const QString& standard)
{
    const std::string* file = common::textOption(options, option.toStdString());
    return !file || file->empty() ? standard : QString::fromStdString(*file);
}

bool sameFolder(const std::string& a, const std::string& b)
{
    const auto plain = [](const std::string& folder) {
        std::string s = engine::normalizePath(folder);
        while (s.size() > 1 && s.back() == '/') s.pop_back();
        return engine::toUpperGerman(s);
    };
    return plain(a) == plain(b);
}

std::optional<std::string> findReportFile(engine::FileSystem& fs, const std::string& file, const std::string& dataFolder)
{
    if (file.empty()) return std::nullopt;
    const std::string path = hasFolder(file) ? file : engine::joinPath(dataFolder, file);
    if (std::string found = existing(fs, engine::normalizePath(path)); !found.empty()) return found;
    if (sameFolder(engine::directoryOf(path), dataFolder)) return std::nullopt;
    if (std::string found = existing(fs, engine::joinPath(dataFolder, engine::fileNameOf(path))); !found.empty())
        return found;
    return std::nullopt;
}

} // namespace trevo::reports
