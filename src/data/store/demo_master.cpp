#include "data/store/demo_builder.h"
#include "data/store/demo_names.h"

#include "engine/core/error.h"

namespace trevo::data {
namespace {

using engine::Value;
Value num(double v) { return Value::number(v); }
Value txt(const std::string& s) { return Value::text(s); }

constexpr int kStartSaldoCents = 15000;

} // namespace

DemoBuilder::DemoBuilder(const DemoOptions& options) : o_(options), rng_(options.seed)
{
    firstDay_ = engine::daysFromCivil(o_.lastYear - o_.years + 1, 1, 1);
    lastDay_ = engine::daysFromCivil(o_.lastYear, 12, 31);
}

std::map<std::string, std::vector<engine::Record>> DemoBuilder::build()
{
    for (const TableSchema& t : allTables()) rows_[t.fileName];
    currencies();
    offices();
    appointmentTypes();
    games();
    bowlers();
    priceLists();
    schedule();
    evenings();
    account();
    return std::move(rows_);
}

void DemoBuilder::make(const char* table, std::initializer_list<std::pair<const char*, Value>> values)
{
    const TableSchema& t = tableSchema(table);
    engine::Record r(t.fields.size());
    for (const auto& [name, v] : values) {
        const FieldSpec* f = t.field(name);
        if (!f) throw std::logic_error(std::string("Feld ") + name + " fehlt in " + table);
        r[static_cast<size_t>(f - t.fields.data())] = v;
    }
    rows_[table].push_back(std::move(r));
}

void DemoBuilder::currencies()
{
    make(tables::Waehrungen, {{"NUMMER", num(1)}, {"NAME", txt("Euro")}, {"KUERZEL", txt("EUR")}, {"FAKTOR", num(1)},
                              {"BEMERKUNGE", txt("Währung der Vereinskasse")}});
    make(tables::Waehrungen, {{"NUMMER", num(2)}, {"NAME", txt("Deutsche Mark")}, {"KUERZEL", txt("DM")},
                              {"FAKTOR", num(1.95583)}, {"BEMERKUNGE", txt("Bis Ende 2001; 1 € = 1,95583 DM")}});
}

void DemoBuilder::offices()
{
    int n = 0;
    for (const auto& name : demo::offices()) make(tables::Funktion, {{"NUMMER", num(++n)}, {"BEZEICHNUN", txt(name)}});
}

void DemoBuilder::appointmentTypes()
{
    int n = 0;
    for (const auto& name : demo::appointmentTypes())
        make(tables::Terminty, {{"NUMMER", num(++n)}, {"BESCHREIBU", txt(name)}});
}

void DemoBuilder::games()
{
    int n = 0;
    for (const auto& g : demo::games())
        make(tables::Spiele, {{"NUMMER", num(++n)}, {"NAME", txt(g.name)}, {"BEMERKUNGE", txt(g.rules)}});
}

void DemoBuilder::bowlers()
{
    const int memberCount = std::max(1, (o_.bowlers * 14 + 9) / 18);
    const auto& names = demo::surnames();
    const int offset = rng_.below(static_cast<int>(names.size()));
    for (int i = 1; i <= o_.bowlers; ++i) {
        const bool member = i <= memberCount;
        const bool female = rng_.chance(25);
        const std::string surname = names[static_cast<size_t>((offset + 37 * i) % static_cast<int>(names.size()))];
        const std::string first = rng_.pick(female ? demo::femaleFirstNames() : demo::maleFirstNames());
        const demo::Town& town = rng_.pick(demo::towns());
        const int32_t born = engine::daysFromCivil(rng_.between(1940, 1995), rng_.between(1, 12), rng_.between(1, 28));
        const int office = member && i <= static_cast<int>(demo::offices().size()) ? i : 0;
        make(tables::Kegler, {
            {"NUMMER", num(i)}, {"NAME", txt(surname)}, {"VORNAME", txt(first)}, {"MITGLIED", Value::logical(member)},
            {"STRASSE", txt(rng_.pick(demo::streets()) + " " + std::to_string(rng_.between(1, 120)))},
            {"PLZ", txt(town.plz)}, {"ORT", txt(town.ort)},
            {"TEL1", txt(town.area + " " + std::to_string(rng_.between(200000, 999999)))},
            {"GEBURTSTAG", Value::date(born)}, {"GEBTAGNUM", num(born)},
        });
        auto& stored = rows_[tables::Kegler].back();
        const TableSchema& t = tableSchema(tables::Kegler);
        auto set = [&](const char* field, Value v) { stored[static_cast<size_t>(t.field(field) - t.fields.data())] = v; };
        if (member) {
            set("MITGLIEDNR", txt(std::to_string(i)));
            set("EINTRITT", txt(engine::formatDate(firstDay_ - rng_.between(0, 9000))));
        }
        if (office) set("FUNKTION", num(office));
        if (rng_.chance(30)) set("ALIAS", txt(rng_.pick(demo::aliases())));
        if (rng_.chance(40)) set("TEL2", txt("01" + std::to_string(rng_.between(51, 79)) + " " + std::to_string(rng_.between(1000000, 9999999))));
        if (rng_.chance(60)) set("EMAIL", txt(demo::asciiLower(first) + "." + demo::asciiLower(surname) + "@example.de"));
        if (!member) set("BEMERKUNGE", txt("Gastkegler, kommt mit " + first + " " + surname + "s Verein"));
        else if (rng_.chance(15)) set("BEMERKUNGE", txt("Hat " + std::to_string(rng_.between(2, 9)) + "-mal den Pokal geholt."));
        (member ? members_ : guests_).push_back(i);
    }
}

void DemoBuilder::priceLists()
{
    // One list for the whole period, a second one with higher prices from the middle on.
    const int count = o_.years >= 2 ? 2 : 1;
    for (int l = 1; l <= count; ++l) {
        PriceList list;
        list.nummer = l;
        list.from = l == 1 ? firstDay_ : engine::daysFromCivil(o_.lastYear - o_.years / 2 + 1, 1, 1);
        list.contributionCents = l == 1 ? 200 : 250;
        make(tables::Sonstyp0, {{"NUMMER", num(l)}, {"DATUM", Value::date(list.from)}, {"WAEHRUNG", num(1)},
                                {"BEITRAG", money(list.contributionCents)}});
        lists_.push_back(list);
    }
    int n = 0;
    for (auto& list : lists_)
        for (const demo::Item& it : demo::items()) {
            const int cents = list.nummer == 1 ? it.cents : it.cents + (it.cents >= 100 ? 20 : 10);
            make(tables::Sonstype, {{"NUMMER", num(++n)}, {"BEZEICHNUN", txt(it.name)}, {"EINZELPREI", money(cents)},
                                    {"MITTELWERT", Value::logical(it.mittelwert)}, {"PREISLISTE", num(list.nummer)},
                                    {"GUELTIG", num(it.gueltig)}});
            list.items.push_back({n, cents, it.weight, it.maxPieces, it.name == demo::kLaneFee});
        }
}

const DemoBuilder::PriceList& DemoBuilder::listOn(int32_t day) const
{
    const PriceList* best = &lists_.front();
    for (const auto& l : lists_)
        if (l.from <= day) best = &l;
    return *best;
}

void DemoBuilder::schedule()
{
    // The first half of the year after the evenings: every second Friday a bowling
    // evening, and the club's other appointments.
    const auto& types = demo::appointmentTypes();
    int n = 0;
    auto plan = [&](int32_t day, const char* time, int type, const char* remark) {
        make(tables::Termplan, {{"NUMMER", num(++n)}, {"TERMIN", Value::date(day)}, {"ZEIT", txt(time)},
                                {"STATUS", num(0)}, {"BESCHREIBU", txt(types[static_cast<size_t>(type)])},
                                {"TERMINNUM", num(day)}});
        if (remark) {
            const TableSchema& t = tableSchema(tables::Termplan);
            rows_[tables::Termplan].back()[static_cast<size_t>(t.field("BEMERKUNGE") - t.fields.data())] = txt(remark);
        }
    };
    const int year = o_.lastYear + 1;
    int32_t day = engine::daysFromCivil(year, 1, 1);
    while (weekday(day) != 4) ++day;
    plan(day + 14, "19:00", 1, "Einladung mit Tagesordnung geht vier Wochen vorher raus.");
    for (int32_t d = day; d < engine::daysFromCivil(year, 7, 1); d += 14) plan(d, "19:30", 0, nullptr);
    plan(engine::daysFromCivil(year, 5, 17), "08:00", 2, "Busfahrt an die Mosel, Abfahrt am Vereinslokal.");
    plan(engine::daysFromCivil(year, 3, 21), "19:30", 3, nullptr);
    plan(engine::daysFromCivil(year, 2, 10), "20:00", 5, nullptr);
}

void DemoBuilder::account()
{
    make(tables::Kontoinf, {{"NUMMER", num(1)}, {"KONTONR", num(1)}, {"WAEHRUNG", num(1)},
                            {"STARTSALDO", money(kStartSaldoCents)}, {"DATUM", Value::date(firstDay_)},
                            {"KONTOSTAND", money(kStartSaldoCents + balanceCents_)}});
}

} // namespace trevo::data
