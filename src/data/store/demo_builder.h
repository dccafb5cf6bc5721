#pragma once
// Builds the records of the demo club in memory, table by table.
#include "engine/core/value.h"
#include "engine/dbf/attachment.h"
#include "data/store/demo_club.h"
#include "data/store/demo_random.h"
#include "data/store/schema.h"

#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace trevo::data {

class DemoBuilder {
public:
    explicit DemoBuilder(const DemoOptions& options);
    // Every table's records, by file name.
    std::map<std::string, std::vector<engine::Record>> build();

private:
    struct ListItem {
        int nummer;
        int cents;
        int weight;
        int maxPieces;
        bool laneFee;
    };
    struct PriceList {
        int nummer;
        int32_t from;
        int contributionCents;
        std::vector<ListItem> items;
    };

    // Master data (demo_master.cpp).
    void currencies();
    void offices();
    void appointmentTypes();
    void games();
    void bowlers();
    void priceLists();
    void schedule();
    // Evenings and cash book (demo_evenings.cpp).
    void evenings();
    void evening(int32_t day, const PriceList& list);
    std::vector<int> attendees();
    void participantRow(int evening, int bowler, int section, int games, const PriceList& list, bool firstSection,
                        int64_t& cents);
    void booking(int32_t day, int64_t cents, const std::string& text, bool fromEvening);
    void account();

    void make(const char* table, std::initializer_list<std::pair<const char*, engine::Value>> values);
    const PriceList& listOn(int32_t day) const;

    DemoOptions o_;
    DemoRandom rng_;
    std::map<std::string, std::vector<engine::Record>> rows_;
    std::vector<int> members_, guests_;
    std::vector<PriceList> lists_;
    int32_t firstDay_ = 0, lastDay_ = 0;
    int64_t balanceCents_ = 0;
    int participantNo_ = 0, amountNo_ = 0, countNo_ = 0;
};

// 0 Monday .. 6 Sunday; day 0 (30.12.1899) was a Saturday.
inline int weekday(int32_t day) { return ((day + 5) % 7 + 7) % 7; }

// Amount helpers: cents to the stored value.
inline engine::Value money(int64_t cents) { return engine::Value::number(static_cast<double>(cents) / 100.0); }

} // namespace trevo::data
