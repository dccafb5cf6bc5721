#include "data/sicherung/zip_archiv.h"

#include "engine/core/error.h"

#include <zip.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace trevo::data {
namespace {

std::string fehlerText(zip_error_t* fehler) { return zip_error_strerror(fehler); }

std::string codeText(int code)
{
    zip_error_t fehler;
    zip_error_init_with_code(&fehler, code);
    std::string text = fehlerText(&fehler);
    zip_error_fini(&fehler);
    return text;
}

[[noreturn]] void beschaedigt(const std::string& pfad, const std::string& grund)
{
    throw engine::FormatError("Die Sicherungsdatei '" + pfad + "' ist beschädigt: " + grund);
}

struct ArchivSchliessen {
    void operator()(::zip* a) const { zip_discard(a); }
};

} // namespace

ZipSchreiber::ZipSchreiber(const std::string& pfad) : pfad_(pfad)
{
    int code = 0;
    archiv_ = zip_open(pfad.c_str(), ZIP_CREATE | ZIP_EXCL, &code);
    if (!archiv_)
        throw engine::IoError("Die Sicherungsdatei '" + pfad + "' kann nicht angelegt werden: " + codeText(code));
}

ZipSchreiber::~ZipSchreiber()
{
    if (archiv_) zip_discard(archiv_);
}

void ZipSchreiber::hinzufuegen(const ZipEintrag& eintrag)
{
    void* kopie = std::malloc(eintrag.daten.empty() ? 1 : eintrag.daten.size());
    if (!kopie) throw engine::IoError("Nicht genug Arbeitsspeicher für die Sicherung");
    if (!eintrag.daten.empty()) std::memcpy(kopie, eintrag.daten.data(), eintrag.daten.size());
    zip_source_t* quelle = zip_source_buffer(archiv_, kopie, eintrag.daten.size(), 1);
    if (!quelle) {
        std::free(kopie);
        throw engine::IoError("Sicherung: " + fehlerText(zip_get_error(archiv_)));
    }
    const zip_int64_t index = zip_file_add(archiv_, eintrag.name.c_str(), quelle, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(quelle);
        throw engine::IoError("Sicherung von '" + eintrag.name + "': " + fehlerText(zip_get_error(archiv_)));
    }
    zip_set_file_compression(archiv_, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 6);
    if (eintrag.geaendert > 0) zip_file_set_mtime(archiv_, static_cast<zip_uint64_t>(index), eintrag.geaendert, 0);
}

void ZipSchreiber::schliessen()
{
    if (zip_close(archiv_) != 0) {
        const std::string grund = fehlerText(zip_get_error(archiv_));
        zip_discard(archiv_);
        archiv_ = nullptr;
        std::remove(pfad_.c_str());
        throw engine::IoError("Die Sicherungsdatei '" + pfad_ + "' kann nicht geschrieben werden: " + grund);
    }
    archiv_ = nullptr;
}

std::vector<ZipEintrag> zipLesen(const std::string& pfad)
{
    int code = 0;
    std::unique_ptr<::zip, ArchivSchliessen> archiv(zip_open(pfad.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code));
    if (!archiv) {
        if (code == ZIP_ER_OPEN || code == ZIP_ER_NOENT || code == ZIP_ER_READ)
            throw engine::IoError("Die Sicherungsdatei '" + pfad + "' kann nicht gelesen werden: " + codeText(code));
        beschaedigt(pfad, codeText(code));
    }
    std::vector<ZipEintrag> eintraege;
    const zip_int64_t anzahl = zip_get_num_entries(archiv.get(), 0);
    for (zip_int64_t i = 0; i < anzahl; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archiv.get(), static_cast<zip_uint64_t>(i), 0, &st) != 0)
            beschaedigt(pfad, fehlerText(zip_get_error(archiv.get())));
        ZipEintrag e;
        e.name = st.name ? st.name : "";
        e.geaendert = (st.valid & ZIP_STAT_MTIME) ? st.mtime : 0;
        zip_file_t* datei = zip_fopen_index(archiv.get(), static_cast<zip_uint64_t>(i), 0);
        if (!datei) beschaedigt(pfad, e.name + ": " + fehlerText(zip_get_error(archiv.get())));
        std::vector<uint8_t> puffer(64 * 1024);
        for (;;) {
            const zip_int64_t n = zip_fread(datei, puffer.data(), puffer.size());
            if (n < 0) {
                const std::string grund = fehlerText(zip_file_get_error(datei));
                zip_fclose(datei);
                beschaedigt(pfad, e.name + ": " + grund);
            }
            if (n == 0) break;
            e.daten.insert(e.daten.end(), puffer.begin(), puffer.begin() + n);
        }
        if (zip_fclose(datei) != 0) beschaedigt(pfad, e.name + ": Prüfsumme falsch");
        if ((st.valid & ZIP_STAT_SIZE) && st.size != e.daten.size())
            beschaedigt(pfad, e.name + ": Länge falsch");
        eintraege.push_back(std::move(e));
    }
    return eintraege;
}

} // namespace trevo::data
