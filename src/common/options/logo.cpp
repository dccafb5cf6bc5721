#include "common/options/logo.h"

#include "engine/core/error.h"

#include <array>
#include <cstring>

namespace trevo::common {
namespace {

bool istAbsolut(const std::string& p)
{
    return (!p.empty() && (p[0] == '/' || p[0] == '\\')) || (p.size() > 1 && p[1] == ':');
}

bool beginntMit(const std::string& s, const char* kennung, size_t n)
{
    return s.size() >= n && std::memcmp(s.data(), kennung, n) == 0;
}

// The kinds of picture the windows can show, recognised by their first bytes.
bool istBild(const std::string& b)
{
    return beginntMit(b, "BM", 2) || beginntMit(b, "\x89PNG\r\n\x1a\n", 8) ||
           beginntMit(b, "\xFF\xD8\xFF", 3) || beginntMit(b, "GIF87a", 6) || beginntMit(b, "GIF89a", 6) ||
           beginntMit(b, "\0\0\1\0", 4) || beginntMit(b, "\xD7\xCD\xC6\x9A", 4) ||
           (b.size() >= 44 && beginntMit(b, "\1\0\0\0", 4) && std::memcmp(b.data() + 40, " EMF", 4) == 0);
}

std::string lesen(engine::FileSystem& fs, const std::string& pfad)
{
    auto datei = fs.open(pfad, engine::OpenMode::ReadOnly);
    const uint64_t groesse = datei->size();
    if (groesse > 64u * 1024 * 1024) throw engine::IoError("Datei '" + pfad + "' ist zu groß für ein Bild");
    std::string bytes(static_cast<size_t>(groesse), '\0');
    const size_t gelesen = datei->read(0, bytes.data(), bytes.size());
    bytes.resize(gelesen);
    return bytes;
}

} // namespace

LogoErgebnis LogoLaden(engine::FileSystem& fs, const std::string& dateiname, const std::string& programmordner)
{
    LogoErgebnis r;
    const std::string pfad = istAbsolut(dateiname) ? dateiname : engine::joinPath(programmordner, dateiname);
    const std::string ohne = "Das Logo '" + dateiname + "' kann nicht geladen werden: ";
    try {
        if (!fs.exists(pfad) || fs.isDirectory(pfad)) {
            r.fehler = ohne + "Datei nicht gefunden";
            return r;
        }
        std::string bytes = lesen(fs, pfad);
        if (!istBild(bytes)) {
            r.fehler = ohne + "kein Bild in einem bekannten Format";
            return r;
        }
        r.bytes = std::move(bytes);
    } catch (const std::exception& e) {
        r.fehler = ohne + e.what();
    }
    return r;
}

} // namespace trevo::common
