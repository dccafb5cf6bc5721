#pragma once
// Names and texts of the demo club.
#include <string>
#include <vector>

namespace trevo::data::demo {

const std::vector<std::string>& surnames();
const std::vector<std::string>& maleFirstNames();
const std::vector<std::string>& femaleFirstNames();
const std::vector<std::string>& aliases();
const std::vector<std::string>& streets();

struct Town {
    std::string plz, ort, area; // area code of the telephone number
};
const std::vector<Town>& towns();

const std::vector<std::string>& offices();
const std::vector<std::string>& appointmentTypes();

struct Game {
    std::string name, rules;
};
const std::vector<Game>& games();

// An item of the price list: name, price in cents, whether it enters the averages,
// who pays (1 the bowler, 2 all others), how often it is taken (weight) and at most
// how many pieces at once.
struct Item {
    std::string name;
    int cents;
    bool mittelwert;
    int gueltig;
    int weight;
    int maxPieces;
};
const std::vector<Item>& items();
// The lane fee: every participant pays it once an evening.
inline const char* kLaneFee = "Bahngebühr";

// "Müller" -> "mueller", for e-mail addresses.
std::string asciiLower(const std::string& utf8);

} // namespace trevo::data::demo
