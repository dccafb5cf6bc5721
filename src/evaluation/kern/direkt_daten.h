#pragma once
// The rows of the evaluations read through the tables' indexes instead of the SQL engine:
// the rows of one evening (its participant rows with their game amounts and item counts)
// are read once and every question about that evening is answered from them. The
// evenings of a period (Q8) are the SQL engine's, so that a date text is read exactly as
// the engine reads it; Q9 joins the item counts of those evenings by hand.
//
// The joins follow the statements, duplicates included: an evening number held by two
// evening records counts twice, an item number held by two items of the price list too.
// The object reads the tables as they are when a question comes; the rows of the last
// evening are kept until another evening is asked for or neu() is called.
//
// Before many evenings (vieleAbende) every evening of the folder is read at once
// (abendbestand.h) and kept with the tables for later evaluations; such a stock, while the
// tables have not changed since it was read, answers every evening instead of the indexes.
#include "evaluation/kern/abendbestand.h"
#include "evaluation/kern/auswertungsdaten.h"
#include "evaluation/kern/tabellenzugriff.h"
#include "evaluation/kern/sql_daten.h"

#include <memory>

namespace trevo::evaluation {

class DirektDaten : public Auswertungsdaten {
public:
    DirektDaten(engine::Database& db, engine::Session& session, std::string ordner);
    ~DirektDaten() override;

    std::vector<engine::Value> teilnehmer(int64_t termin) override;
    bool teilgenommen(int64_t termin, int64_t kegler, int64_t abschnitt) override;
    std::vector<Abschnittsanzahl> teilnehmerProAbschnitt(int64_t termin) override;
    std::vector<Abschnittssumme> spielSummen(int64_t termin) override;
    std::vector<Abschnittssumme> sonstigeSummen(int64_t termin) override;
    std::vector<std::optional<Cent>> spiele(int64_t termin, int64_t kegler) override;
    std::optional<Cent> sonstiges(int64_t termin, int64_t kegler) override;
    std::vector<Periodentermin> termine(const std::string& von, const std::string& bis) override;
    std::vector<Rangzeile> rangfolge(const std::string& von, const std::string& bis, int64_t sonstiges) override;

    // Forget the rows read so far (after the tables changed).
    void neu();
    // Many evenings are about to be read: every evening of the folder is read at once.
    void vieleAbende();

    struct Tabellen;

private:
    const Abenddaten& abend(int64_t termin);
    // The stock of every evening to answer from, if there is a current one.
    const Abendbestand* bestand();
    Tabellen& tabellen();
    // Whether the tables hold only numbers where they are read (Abendbestand::nurZahlen).
    bool zahlenfelder();

    engine::Database& db_;
    std::string ordner_;
    SqlDaten sql_;
    std::unique_ptr<Abenddaten> abend_;
    std::unique_ptr<Tabellen> tabellen_;
    std::shared_ptr<const Abendbestand> bestand_;
    bool vieleAbende_ = false;
    bool bestandGesucht_ = false; // a kept stock was looked for since neu()
};

} // namespace trevo::evaluation
