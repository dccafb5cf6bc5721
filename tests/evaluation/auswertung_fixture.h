#pragma once
// The evaluations over a club of the test, with the result tables read back from the files.
#include "evaluation/kern/auswertung.h"
#include "evaluation/kern/betrag.h"
#include "vereinsbau.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace trevo::evaluation::test {

// A number field as the tests compare it: "" for NULL, amounts with two decimals.
inline std::string betragText(const Value& v) { return v.isNull() ? std::string() : formatiert(centVon(v), 0); }
inline std::string nummerText(const Value& v)
{
    return v.isNull() ? std::string() : std::to_string(static_cast<long long>(v.toNumber()));
}

class Auswertungstest : public ::testing::Test {
protected:
    std::unique_ptr<Auswertung> auswertung(std::shared_ptr<Auswertungsdaten> daten = nullptr)
    {
        return std::make_unique<Auswertung>(club.verein.datenbank(), club.verein.session(), club.ordner(), optionen,
                                            std::move(daten));
    }

    // AUSWERTU.DBF as "NAME|NUMMER|SPIELE|SONSTIGES|BEITRAG|SUMME", in file order.
    std::vector<std::string> zeilen()
    {
        std::vector<std::string> out;
        for (const auto& r : club.verein.dateiInhalt("AUSWERTU.DBF"))
            out.push_back(r[0].toText() + "|" + nummerText(r[1]) + "|" + betragText(r[2]) + "|" + betragText(r[3]) +
                          "|" + betragText(r[4]) + "|" + betragText(r[5]));
        return out;
    }
    // WERTETAB.DBF as BEZEICHNUN -> WERT, and the keys in file order.
    std::map<std::string, std::string> werte()
    {
        std::map<std::string, std::string> out;
        for (const auto& r : club.verein.dateiInhalt("WERTETAB.DBF")) out[r[1].toText()] = r[2].toText();
        return out;
    }
    std::vector<std::string> wertSchluessel()
    {
        std::vector<std::string> out;
        for (const auto& r : club.verein.dateiInhalt("WERTETAB.DBF")) out.push_back(r[1].toText());
        return out;
    }

    Vereinsbau club;
    Auswertungsoptionen optionen;
};

} // namespace trevo::evaluation::test
