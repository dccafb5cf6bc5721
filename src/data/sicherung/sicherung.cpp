#include "data/sicherung/sicherung.h"

#include "data/sicherung/sicherung_dateien.h"
#include "data/sicherung/zip_archiv.h"
#include "engine/core/error.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace trevo::data {
namespace {

const std::string kOptionenImArchiv = std::string(kProgrammordnerImArchiv) + "KEGELCFG.DB";

std::vector<ZipEintrag> bestandLesen(const Sicherungsquelle& quelle)
{
    std::vector<ZipEintrag> eintraege;
    for (const std::string& name : sicherbareDateien(quelle))
        eintraege.push_back(dateiLesen(quelle.datenordner, name));
    if (!quelle.optionsdatei.empty() && fs::is_regular_file(quelle.optionsdatei)) {
        ZipEintrag optionen = dateiLesen(fs::path(quelle.optionsdatei).parent_path().string(),
                                         fs::path(quelle.optionsdatei).filename().string());
        optionen.name = kOptionenImArchiv;
        eintraege.push_back(std::move(optionen));
    }
    return eintraege;
}

// The written archive holds exactly the files read, byte for byte.
void pruefen(const std::string& pfad, const std::vector<ZipEintrag>& soll)
{
    const std::vector<ZipEintrag> ist = zipLesen(pfad);
    bool gleich = ist.size() == soll.size();
    for (size_t i = 0; gleich && i < ist.size(); ++i)
        gleich = ist[i].name == soll[i].name && ist[i].daten == soll[i].daten;
    if (!gleich)
        throw engine::IoError("Die Sicherungsdatei '" + pfad +
                              "' enthält nach dem Schreiben nicht die gesicherten Dateien");
}

std::string freierName(const std::string& ordner, std::time_t jetzt)
{
    const std::string basis = sicherungsName(jetzt);
    std::string name = basis;
    for (int n = 2; fs::exists(fs::path(ordner) / name) || fs::exists(fs::path(ordner) / (name + ".tmp")); ++n)
        name = basis.substr(0, basis.size() - 4) + "-" + std::to_string(n) + ".zip";
    return (fs::path(ordner) / name).string();
}

} // namespace

std::string sicherungsName(std::time_t zeitpunkt)
{
    std::tm t{};
    localtime_r(&zeitpunkt, &t);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d-%02d%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour,
                  t.tm_min);
    return std::string(kSicherungPraefix) + text + ".zip";
}

std::string sichern(const Sicherungsquelle& quelle, const std::string& zielordner, std::time_t jetzt,
                    const Fortschritt& fortschritt)
{
    std::error_code ec;
    fs::create_directories(zielordner, ec);
    if (!fs::is_directory(zielordner))
        throw engine::IoError("Der Ordner für Sicherungen '" + zielordner + "' kann nicht angelegt werden");
    const std::vector<ZipEintrag> eintraege = bestandLesen(quelle);
    const std::string ziel = freierName(zielordner, jetzt);
    const std::string temp = ziel + ".tmp";
    try {
        ZipSchreiber schreiber(temp);
        for (size_t i = 0; i < eintraege.size(); ++i) {
            schreiber.hinzufuegen(eintraege[i]);
            if (fortschritt) fortschritt(static_cast<int>(i + 1), static_cast<int>(eintraege.size()));
        }
        schreiber.schliessen();
        pruefen(temp, eintraege);
        fs::rename(temp, ziel);
    } catch (const fs::filesystem_error& e) {
        fs::remove(temp, ec);
        throw engine::IoError("Die Sicherungsdatei '" + ziel + "' kann nicht angelegt werden: " + e.code().message());
    } catch (...) {
        fs::remove(temp, ec);
        throw;
    }
    return ziel;
}

std::vector<Sicherung> sicherungenIn(const std::string& ordner)
{
    std::vector<Sicherung> liste;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(ordner, ec)) {
        const std::string name = e.path().filename().string();
        std::time_t zeitpunkt = 0;
        int folge = 1;
        if (!e.is_regular_file(ec) || !zeitpunktAusName(name, zeitpunkt, &folge)) continue;
        liste.push_back({e.path().string(), zeitpunkt, folge, static_cast<uint64_t>(e.file_size(ec))});
    }
    std::sort(liste.begin(), liste.end(), [](const Sicherung& a, const Sicherung& b) {
        return a.zeitpunkt != b.zeitpunkt ? a.zeitpunkt > b.zeitpunkt : a.folge > b.folge;
    });
    return liste;
}

void alteSicherungenLoeschen(const std::string& ordner, int behalten)
{
    const std::vector<Sicherung> liste = sicherungenIn(ordner);
    std::error_code ec;
    for (size_t i = static_cast<size_t>(std::max(behalten, 0)); i < liste.size(); ++i) fs::remove(liste[i].pfad, ec);
}

std::string zurueckspielen(const std::string& zipDatei, const Sicherungsquelle& ziel, const std::string& sicherungsordner,
                           bool mitOptionen, std::time_t jetzt, const Fortschritt& fortschritt)
{
    // Everything is read and checked before the first file changes.
    std::vector<ZipEintrag> eintraege = zipLesen(zipDatei);
    archivPruefen(zipDatei, eintraege, kOptionenImArchiv);
    const std::string vorher = sichern(ziel, sicherungsordner, jetzt);

    std::vector<std::string> geschrieben;
    int erledigt = 0;
    for (const ZipEintrag& e : eintraege) {
        if (e.name == kOptionenImArchiv) {
            if (mitOptionen && !ziel.optionsdatei.empty()) dateiErsetzen(ziel.optionsdatei, e.daten);
        } else {
            geschrieben.push_back(dateiImOrdnerErsetzen(ziel.datenordner, e.name, e.daten));
        }
        if (fortschritt) fortschritt(++erledigt, static_cast<int>(eintraege.size()));
    }
    // What the backup does not hold goes; the backup written above keeps it.
    for (const std::string& name : sicherbareDateien(ziel))
        if (std::find(geschrieben.begin(), geschrieben.end(), name) == geschrieben.end())
            fs::remove(fs::path(ziel.datenordner) / name);
    return vorher;
}

} // namespace trevo::data
