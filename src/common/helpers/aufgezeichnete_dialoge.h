#pragma once
// Dialogs without a screen, for tests and batch tools: every text is recorded with its
// kind, and questions are answered from a queue (an empty queue answers No).
#include "common/helpers/dialoge.h"

#include <deque>
#include <string>
#include <vector>

namespace trevo::common {

class AufgezeichneteDialoge : public Dialoge {
public:
    struct Eintrag {
        std::string art; // "meldung", "bestaetigung", "fehler", "frage"
        std::string text;
    };

    void meldung(const std::string& text) override { eintraege.push_back({"meldung", text}); }
    void bestaetigung(const std::string& text) override { eintraege.push_back({"bestaetigung", text}); }
    void fehler(const std::string& text) override { eintraege.push_back({"fehler", text}); }
    bool fehlerFrageJaNein(const std::string& text) override
    {
        eintraege.push_back({"frage", text});
        if (antworten.empty()) return false;
        const bool ja = antworten.front();
        antworten.pop_front();
        return ja;
    }

    // All recorded texts of one kind, in order.
    std::vector<std::string> texte(const std::string& art) const
    {
        std::vector<std::string> r;
        for (const auto& e : eintraege)
            if (e.art == art) r.push_back(e.text);
        return r;
    }

    std::vector<Eintrag> eintraege;
    std::deque<bool> antworten;
};

} // namespace trevo::common
