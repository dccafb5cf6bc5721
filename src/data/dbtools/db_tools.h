#pragma once
// The database tools: counting and maintenance operations over the table files, used by
// the data module, the numbering with self-repair, the evening window, the evaluation and
// printing. Tables are addressed by a full path (data folder + file name) or by folder and
// file name given separately, concatenated without a separator (the folder ends in "\").
// Statements run in the default session, so inside no transaction of the evening,
// price-list or cash-book session.
#include "engine/database.h"
#include "engine/dataset/table_data_set.h"
#include "engine/sql/result.h"

#include <cstdint>
#include <string>

namespace trevo::data {

class TDBTools {
public:
    explicit TDBTools(engine::Database& db);

    engine::Database& datenbank() { return db_; }

    // "SELECT COUNT(*)Anzahl FROM "<path>"": the number of live records.
    int64_t Datensatzanzahl(const std::string& pfad);

    // 0 when the table has a field of that name (compared in upper case), 10 when not,
    // 2 when the table has no fields. Errors opening the table reach the caller.
    int FeldPruefen(const std::string& feld, const std::string& ordner, const std::string& datei);

    // The highest value of the field + 1 (ordered by the field, the last row), `start` for a
    // file without records, -1 when the last value cannot be read as an integer.
    int64_t NaechsteNummerSQL(const std::string& pfad, const std::string& feld, int64_t start);

    // The number of records whose field is empty.
    int64_t LeereNummernZaehlen(const std::string& ordner, const std::string& datei, const std::string& feld);
    // Deletes exactly the records whose field is empty; true.
    bool LeereNummernLoeschen(const std::string& ordner, const std::string& datei, const std::string& feld);

    // Rebuilds every index of the data set's table and refreshes the data set. A failure is
    // reported as "Fehler beim Reindizieren der Tabelle <file> (<reason>)" and not passed on.
    void Reindizieren(engine::TableDataSet& tabelle);

    // Deletes all records of the table, keeping its structure; the data set is open
    // afterwards exactly when it was open before.
    void TabelleLeeren(engine::TableDataSet& tabelle);

    // "ALTER TABLE "<path>"" / "ADD <field> <type>": true when the statement succeeded.
    bool FeldAnfuegen(const std::string& feld, const std::string& pfad, const std::string& typ);

    // Runs one statement in the default session, with the folder of the path as the
    // working folder for bare file names.
    engine::sql::QueryResult Ausfuehren(const std::string& text, const std::string& ordner);

private:
    engine::Database& db_;
};

// The value of a cell as a whole number: numbers are cut to their whole part, NULL is 0,
// texts must hold an integer. nullopt when it cannot be read as one.
std::optional<int64_t> AlsGanzzahl(const engine::Value& v);

} // namespace trevo::data
