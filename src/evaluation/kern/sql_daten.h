#pragma once
// The rows of the evaluations with every statement run through the SQL engine exactly as
// abfragetexte.h writes it, in the default session of the database.
#include "evaluation/kern/abfragetexte.h"
#include "evaluation/kern/auswertungsdaten.h"

#include "engine/sql/result.h"

namespace trevo::engine {
class Database;
class Session;
} // namespace trevo::engine

namespace trevo::evaluation {

class SqlDaten : public Auswertungsdaten {
public:
    SqlDaten(engine::Database& db, engine::Session& session, std::string ordner);

    std::vector<engine::Value> teilnehmer(int64_t termin) override;
    bool teilgenommen(int64_t termin, int64_t kegler, int64_t abschnitt) override;
    std::vector<Abschnittsanzahl> teilnehmerProAbschnitt(int64_t termin) override;
    std::vector<Abschnittssumme> spielSummen(int64_t termin) override;
    std::vector<Abschnittssumme> sonstigeSummen(int64_t termin) override;
    std::vector<std::optional<Cent>> spiele(int64_t termin, int64_t kegler) override;
    std::optional<Cent> sonstiges(int64_t termin, int64_t kegler) override;
    std::vector<Periodentermin> termine(const std::string& von, const std::string& bis) override;
    std::vector<Rangzeile> rangfolge(const std::string& von, const std::string& bis, int64_t sonstiges) override;

    // Statements run so far.
    size_t anweisungen() const { return anweisungen_; }

private:
    engine::sql::QueryResult ausfuehren(const std::string& text);

    engine::Database& db_;
    engine::Session& session_;
    std::string ordner_;
    Abfragetexte texte_;
    size_t anweisungen_ = 0;
};

// The column of that name (without regard to case); EngineError when there is none.
size_t spalte(const engine::sql::QueryResult& r, const std::string& name);

} // namespace trevo::evaluation
