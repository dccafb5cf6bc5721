#include "data/store/demo_builder.h"
#include "data/store/demo_names.h"

#include <algorithm>
#include <stdexcept>

namespace trevo::data {
namespace {

using engine::Value;
Value num(double v) { return Value::number(v); }

// The bulk tables are filled by position; their field order must be this one.
void checkOrder(const char* table, std::initializer_list<const char*> names)
{
    const TableSchema& t = tableSchema(table);
    size_t i = 0;
    for (const char* n : names)
        if (i >= t.fields.size() || t.fields[i++].name != n)
            throw std::logic_error(std::string("Unerwartete Feldfolge in ") + table);
}

const char* kMonths[] = {"Januar", "Februar", "März", "April", "Mai", "Juni", "Juli",
                         "August", "September", "Oktober", "November", "Dezember"};

const char* kRemarks[] = {"Pokalkegeln um den Wanderpokal", "Geburtstagsrunde, Getränke gehen aufs Haus",
                          "Bahn 2 wegen Reparatur gesperrt", "Besuch vom Kegelclub \"Gut Holz\""};

} // namespace

void DemoBuilder::evenings()
{
    checkOrder(tables::Keglterm, {"NUMMER", "TERMIN", "KEGLER", "ABSCHNITT"});
    checkOrder(tables::Spielkeg, {"NUMMER", "KEGLERNR", "ABSCHNITT", "SPIELNR", "BETRAG", "TERMIN"});
    checkOrder(tables::Sonstkeg, {"NUMMER", "KEGLERNR", "ABSCHNITT", "TYP", "ANZAHL", "TERMIN"});
    int32_t day = firstDay_;
    while (weekday(day) != 4) ++day; // Fridays
    int lastMonth = 0;
    for (; day <= lastDay_; day += 7) {
        int y = 0, m = 0, d = 0;
        engine::civilFromDays(day, y, m, d);
        if ((m == 8 && d <= 7) || (m == 12 && d >= 24)) continue; // summer break, Christmas
        if (m != lastMonth) {
            booking(day, -4500, std::string("Bahnmiete ") + kMonths[m - 1] + " " + std::to_string(y), false);
            lastMonth = m;
        }
        evening(day, listOn(day));
        if (m == 12 && d >= 17) booking(day + 1, -100 * rng_.between(180, 320), "Weihnachtsfeier " + std::to_string(y), false);
    }
}

std::vector<int> DemoBuilder::attendees()
{
    const int target = std::max(2, std::min(20, (o_.bowlers * 7 + 5) / 10));
    const int g = std::min(static_cast<int>(guests_.size()), rng_.between(0, 2));
    std::vector<int> pool = members_, who;
    const int k = std::min(static_cast<int>(pool.size()), target - g);
    for (int i = 0; i < k; ++i) {
        std::swap(pool[static_cast<size_t>(i)], pool[static_cast<size_t>(rng_.between(i, static_cast<int>(pool.size()) - 1))]);
        who.push_back(pool[static_cast<size_t>(i)]);
    }
    pool = guests_;
    for (int i = 0; i < g; ++i) {
        std::swap(pool[static_cast<size_t>(i)], pool[static_cast<size_t>(rng_.between(i, static_cast<int>(pool.size()) - 1))]);
        who.push_back(pool[static_cast<size_t>(i)]);
    }
    std::sort(who.begin(), who.end());
    return who;
}

void DemoBuilder::evening(int32_t day, const PriceList& list)
{
    const int number = static_cast<int>(rows_[tables::Termine].size()) + 1;
    const std::vector<int> who = attendees();
    const int sections = rng_.between(2, 4);
    // Some come late or leave early and miss the first or the last section.
    std::vector<std::pair<int, int>> span;
    for (size_t i = 0; i < who.size(); ++i) {
        const int first = rng_.chance(3) ? 2 : 1;
        const int last = rng_.chance(3) ? sections - 1 : sections;
        span.emplace_back(first, std::max(first, last));
    }
    int64_t cents = static_cast<int64_t>(list.contributionCents) * static_cast<int64_t>(who.size());
    int highest = 0;
    for (int s = 1; s <= sections; ++s) {
        const int games = rng_.between(4, 6);
        for (size_t i = 0; i < who.size(); ++i)
            if (span[i].first <= s && s <= span[i].second) {
                participantRow(number, who[i], s, games, list, s == span[i].first, cents);
                highest = s;
            }
    }
    make(tables::Termine, {{"NUMMER", num(number)}, {"DATUM", Value::date(day)},
                           {"TEILNEHMER", num(static_cast<double>(who.size()))}, {"BEITRAG", money(list.contributionCents)},
                           {"ABSCHNITTE", num(highest)}, {"PREISLISTE", num(list.nummer)},
                           {"BEMERKUNGE", rng_.chance(8) ? Value::text(kRemarks[rng_.below(4)]) : Value::null()}});
    booking(day, cents, "Kegelabend vom " + engine::formatDate(day), true);
}

void DemoBuilder::participantRow(int evening, int bowler, int section, int games, const PriceList& list,
                                 bool firstSection, int64_t& cents)
{
    const int row = ++participantNo_;
    rows_[tables::Keglterm].push_back({num(row), num(evening), num(bowler), num(section)});
    auto& amounts = rows_[tables::Spielkeg];
    for (int g = 1; g <= games; ++g) {
        const int amount = 10 * rng_.below(16);
        // A game without a fine is not stored, as when it is typed into the evening window.
        if (amount == 0) continue;
        amounts.push_back({num(++amountNo_), num(row), num(section), num(g), money(amount), num(evening)});
        cents += amount;
    }
    auto& counts = rows_[tables::Sonstkeg];
    auto count = [&](const ListItem& it, int pieces) {
        counts.push_back({num(++countNo_), num(row), num(section), num(it.nummer), num(pieces), num(evening)});
        cents += static_cast<int64_t>(pieces) * it.cents;
    };
    int k = rng_.between(1, 5) + (rng_.chance(33) ? 1 : 0);
    if (firstSection) {
        for (const auto& it : list.items)
            if (it.laneFee) count(it, 1);
        --k;
    }
    // k distinct other items, the frequent ones more often.
    std::vector<const ListItem*> left;
    for (const auto& it : list.items)
        if (!it.laneFee) left.push_back(&it);
    for (; k > 0 && !left.empty(); --k) {
        int total = 0;
        for (const auto* it : left) total += it->weight;
        int r = rng_.below(total);
        size_t i = 0;
        while (r >= left[i]->weight) r -= left[i++]->weight;
        count(*left[i], rng_.between(1, left[i]->maxPieces));
        left.erase(left.begin() + static_cast<ptrdiff_t>(i));
    }
}

void DemoBuilder::booking(int32_t day, int64_t cents, const std::string& text, bool fromEvening)
{
    const int number = static_cast<int>(rows_[tables::Konto].size()) + 1;
    make(tables::Konto, {{"NUMMER", num(number)}, {"DATUM", Value::date(day)}, {"BETRAG", money(cents)},
                         {"TYP", fromEvening ? num(1) : Value::null()}, {"BESCHREIBU", Value::text(text)},
                         {"KONTONR", num(1)}});
    balanceCents_ += cents;
}

} // namespace trevo::data
