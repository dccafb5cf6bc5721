#include "data/sicherung/sicherung_dateien.h"

#include "engine/core/error.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace trevo::data {
namespace {

const char* const kNeuEndung = ".trevo-neu";

std::string gross(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool endetMit(const std::string& s, const std::string& ende)
{
    return s.size() >= ende.size() && s.compare(s.size() - ende.size(), ende.size(), ende) == 0;
}

bool istSicherung(const std::string& name)
{
    return name.rfind(kSicherungPraefix, 0) == 0 && (endetMit(name, ".zip") || endetMit(name, ".zip.tmp"));
}

// The files of a data folder that belong to the club: tables, memo and index files,
// code-page notes and layouts. The data folder may be the program folder, which also holds
// the program itself and whatever else lies there; none of that is backed up or replaced.
bool datendatei(const std::string& name)
{
    static const char* const endungen[] = {".DBF", ".DBT", ".FPT", ".MDX", ".NDX", ".CDX", ".CPG", ".QR2"};
    const std::string n = gross(name);
    return std::any_of(std::begin(endungen), std::end(endungen), [&](const char* e) { return endetMit(n, e); });
}

bool zulaessigerName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..") return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20;
    });
}

} // namespace

std::vector<std::string> sicherbareDateien(const Sicherungsquelle& quelle)
{
    std::vector<std::string> namen;
    std::error_code ec;
    fs::directory_iterator it(quelle.datenordner, ec);
    if (ec)
        throw engine::IoError("Der Datenordner '" + quelle.datenordner + "' kann nicht gelesen werden: " + ec.message());
    for (const auto& e : it) {
        const std::string name = e.path().filename().string();
        if (!e.is_regular_file(ec) || istSicherung(name) || !datendatei(name)) continue;
        const bool ausgelassen = std::any_of(quelle.auslassen.begin(), quelle.auslassen.end(),
                                             [&](const std::string& a) { return gross(a) == gross(name); });
        if (!ausgelassen) namen.push_back(name);
    }
    std::sort(namen.begin(), namen.end());
    return namen;
}

ZipEintrag dateiLesen(const std::string& ordner, const std::string& name)
{
    const fs::path pfad = fs::path(ordner) / name;
    std::ifstream in(pfad, std::ios::binary);
    ZipEintrag e;
    e.name = name;
    if (in) e.daten.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) throw engine::IoError("Die Datei '" + pfad.string() + "' kann nicht gelesen werden");
    std::error_code ec;
    const auto zeit = fs::last_write_time(pfad, ec);
    if (!ec)
        e.geaendert = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(zeit));
    return e;
}

bool zeitpunktAusName(const std::string& name, std::time_t& zeitpunkt, int* folge)
{
    int j = 0, m = 0, t = 0, hm = 0, n = 0;
    const std::string praefix = kSicherungPraefix;
    if (name.rfind(praefix, 0) != 0 || !endetMit(name, ".zip")) return false;
    if (std::sscanf(name.c_str() + praefix.size(), "%4d-%2d-%2d-%4d%n", &j, &m, &t, &hm, &n) != 4) return false;
    std::tm tm{};
    tm.tm_year = j - 1900;
    tm.tm_mon = m - 1;
    tm.tm_mday = t;
    tm.tm_hour = hm / 100;
    tm.tm_min = hm % 100;
    tm.tm_isdst = -1;
    zeitpunkt = std::mktime(&tm);
    int nummer = 1;
    const std::string rest = name.substr(praefix.size() + static_cast<size_t>(n));
    if (rest != ".zip" && std::sscanf(rest.c_str(), "-%d.zip", &nummer) != 1) return false;
    if (folge) *folge = nummer;
    return zeitpunkt != -1;
}

void archivPruefen(const std::string& pfad, const std::vector<ZipEintrag>& eintraege, const std::string& optionen)
{
    bool tabelle = false;
    for (const ZipEintrag& e : eintraege) {
        if (e.name == optionen) continue;
        if (!zulaessigerName(e.name) || !datendatei(e.name))
            throw engine::FormatError("Die Sicherungsdatei '" + pfad + "' enthält den unzulässigen Dateinamen '" +
                                      e.name + "'");
        tabelle = tabelle || endetMit(gross(e.name), ".DBF");
    }
    if (!tabelle) throw engine::FormatError("Die Datei '" + pfad + "' ist keine Sicherung eines Datenordners");
}

void dateiErsetzen(const std::string& pfad, const std::vector<uint8_t>& daten)
{
    const std::string temp = pfad + kNeuEndung;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool gut = fd >= 0;
    for (size_t geschrieben = 0; gut && geschrieben < daten.size();) {
        const ssize_t n = ::write(fd, daten.data() + geschrieben, daten.size() - geschrieben);
        gut = n > 0;
        if (gut) geschrieben += static_cast<size_t>(n);
    }
    gut = gut && ::fsync(fd) == 0;
    if (fd >= 0) gut = ::close(fd) == 0 && gut;
    gut = gut && std::rename(temp.c_str(), pfad.c_str()) == 0;
    if (!gut) {
        std::remove(temp.c_str());
        throw engine::IoError("Die Datei '" + pfad + "' kann nicht geschrieben werden");
    }
}

std::string dateiImOrdnerErsetzen(const std::string& ordner, const std::string& name, const std::vector<uint8_t>& daten)
{
    dateiErsetzen((fs::path(ordner) / name).string(), daten);
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(ordner, ec)) {
        const std::string vorhanden = e.path().filename().string();
        if (vorhanden != name && gross(vorhanden) == gross(name)) fs::remove(e.path(), ec);
    }
    return name;
}

} // namespace trevo::data
