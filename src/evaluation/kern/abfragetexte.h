#pragma once
// The statements of the evaluations, built line by line over the table files of a data
// folder: Q1 to Q7 for one evening, Q8 the evenings of a period, Q9 the ranking by an item.
// Table paths and date texts are pasted in double quotation marks (a quote inside doubled).
#include <cstdint>
#include <string>

namespace trevo::evaluation {

class Abfragetexte {
public:
    // The data folder, ending in its separator.
    explicit Abfragetexte(std::string ordner) : ordner_(std::move(ordner)) {}

    // Q1: the distinct bowlers with a participant row of the evening.
    std::string teilnehmer(int64_t termin) const;
    // Q2: the bowler's participant rows of the evening; of one section when abschnitt > 0.
    std::string teilgenommen(int64_t termin, int64_t kegler, int64_t abschnitt) const;
    // Q3: participant rows per section.
    std::string teilnehmerProAbschnitt(int64_t termin) const;
    // Q4: game amounts per section.
    std::string spielSummen(int64_t termin) const;
    // Q5: amounts of the averaged items per section.
    std::string sonstigeSummen(int64_t termin) const;
    // Q6: the bowler's game amounts per participant row.
    std::string spiele(int64_t termin, int64_t kegler) const;
    // Q7: the other-items amount the bowler pays.
    std::string sonstiges(int64_t termin, int64_t kegler) const;
    // Q8: the evenings of the period, oldest first.
    std::string termine(const std::string& von, const std::string& bis) const;
    // Q9: the summed count of the item per bowler over the period, highest first.
    std::string rangfolge(const std::string& von, const std::string& bis, int64_t sonstiges) const;

private:
    std::string datei(const char* name) const;
    std::string ordner_;
};

} // namespace trevo::evaluation
