#pragma once
// ZIP files through libzip: a writer that takes whole files as bytes and a reader that
// checks the archive's directory and every entry's checksum. Faults end in an
// engine::IoError (cannot write) or engine::FormatError (damaged archive) with a German
// text naming the file.
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

struct zip;

namespace trevo::data {

struct ZipEintrag {
    std::string name;
    std::vector<uint8_t> daten;
    std::time_t geaendert = 0;
};

// Writes a new archive at `pfad`, which must not exist. Nothing is on disk under that
// name unless schliessen() succeeded.
class ZipSchreiber {
public:
    explicit ZipSchreiber(const std::string& pfad);
    ~ZipSchreiber();
    ZipSchreiber(const ZipSchreiber&) = delete;
    ZipSchreiber& operator=(const ZipSchreiber&) = delete;

    void hinzufuegen(const ZipEintrag& eintrag);
    void schliessen();

private:
    std::string pfad_;
    ::zip* archiv_ = nullptr;
};

// Every entry of the archive, read completely and checked against its checksum.
std::vector<ZipEintrag> zipLesen(const std::string& pfad);

} // namespace trevo::data
