#include "common/stream/stored_options.h"

#include "engine/core/collation.h"
#include "engine/core/error.h"
#include "common/stream/object_stream_reader.h"
#include "common/stream/object_stream_writer.h"

#include <limits>
#include <variant>

namespace trevo::common {
namespace {

using Member = std::variant<std::string StoredOptions::*, bool StoredOptions::*, double StoredOptions::*,
                            uint8_t StoredOptions::*, int32_t StoredOptions::*>;

struct Option {
    const char* name;
    Member member;
};

// The order of the stored record.
const Option kOptions[] = {
    {"Mitgliederlistfilename", &StoredOptions::mitgliederlistFilename},
    {"Kegellistfilename", &StoredOptions::kegellistFilename},
    {"Spielelistfilename", &StoredOptions::spielelistFilename},
    {"SonstigeListfilename", &StoredOptions::sonstigeListFilename},
    {"Auswertungsreportfilename", &StoredOptions::auswertungsreportFilename},
    {"ZeitraumAuswertungsreportfilename", &StoredOptions::zeitraumAuswertungsreportFilename},
    {"RanglisteAuswertungsreportfilename", &StoredOptions::ranglisteAuswertungsreportFilename},
    {"Terminlistfilename", &StoredOptions::terminlistFilename},
    {"Terminplanlistfilename", &StoredOptions::terminplanlistFilename},
    {"Termintyplistfilename", &StoredOptions::termintyplistFilename},
    {"Kontolistfilename", &StoredOptions::kontolistFilename},
    {"Blankolistfilename", &StoredOptions::blankolistFilename},
    {"WaehrungslisteFilename", &StoredOptions::waehrungslisteFilename},
    {"AemterlisteFilename", &StoredOptions::aemterlisteFilename},
    {"Datenordner", &StoredOptions::datenordner},
    {"Backuppfad", &StoredOptions::backuppfad},
    {"ShowLotseAtStart", &StoredOptions::showLotseAtStart},
    {"Eurokurs", &StoredOptions::eurokurs},
    {"Waehrung", &StoredOptions::waehrung},
    {"StellenWaehrungsumrechnung", &StoredOptions::stellenWaehrungsumrechnung},
    {"Eingabewaehrung", &StoredOptions::eingabewaehrung},
    {"LogoFilename", &StoredOptions::logoFilename},
};

// Options of this program beyond the old record: written only when they differ from their
// default, so that a record of untouched options stays as the old program wrote it.
const Option kAdded[] = {
    {"AutomatischSichern", &StoredOptions::automatischSichern},
};

[[noreturn]] void wrongValue(const std::string& name)
{
    throw engine::FormatError("Die gespeicherte Option '" + name + "' hat einen ungültigen Wert");
}

int64_t integerIn(const StreamValue& v, const std::string& name, int64_t lo, int64_t hi)
{
    if (v.kind != StreamKind::Integer || v.integer < lo || v.integer > hi) wrongValue(name);
    return v.integer;
}

void take(StoredOptions& o, const Option& opt, const StreamValue& v)
{
    const std::string name = opt.name;
    std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(o.*member)>;
            if constexpr (std::is_same_v<T, std::string>) {
                if (v.kind != StreamKind::Text && v.kind != StreamKind::Identifier) wrongValue(name);
                o.*member = v.text;
            } else if constexpr (std::is_same_v<T, bool>) {
                if (v.kind != StreamKind::Boolean) wrongValue(name);
                o.*member = v.boolean;
            } else if constexpr (std::is_same_v<T, double>) {
                if (v.kind == StreamKind::Integer) o.*member = static_cast<double>(v.integer);
                else if (v.kind == StreamKind::Float || v.kind == StreamKind::Currency) o.*member = v.real;
                else wrongValue(name);
            } else if constexpr (std::is_same_v<T, uint8_t>) {
                o.*member = static_cast<uint8_t>(integerIn(v, name, 0, 255));
            } else {
                o.*member = static_cast<int32_t>(integerIn(v, name, std::numeric_limits<int32_t>::min(),
                                                           std::numeric_limits<int32_t>::max()));
            }
        },
        opt.member);
}

StreamValue give(const StoredOptions& o, const Option& opt)
{
    return std::visit(
        [&](auto member) {
            using T = std::remove_cvref_t<decltype(o.*member)>;
            if constexpr (std::is_same_v<T, std::string>) return StreamValue::ofText(o.*member);
            else if constexpr (std::is_same_v<T, bool>) return StreamValue::ofBoolean(o.*member);
            else if constexpr (std::is_same_v<T, double>) return StreamValue::ofFloat(o.*member);
            else return StreamValue::ofInteger(o.*member);
        },
        opt.member);
}

} // namespace

std::string optionsToStream(const StoredOptions& options)
{
    StreamObject obj;
    obj.className = kOptionsClass;
    obj.name = kOptionsObject;
    for (const Option& opt : kOptions) obj.properties.push_back({opt.name, give(options, opt)});
    const StoredOptions defaults;
    for (const Option& opt : kAdded) {
        const bool standard = std::visit([&](auto member) { return options.*member == defaults.*member; }, opt.member);
        if (!standard) obj.properties.push_back({opt.name, give(options, opt)});
    }
    return writeObjectStream(obj);
}

StoredOptions optionsFromStream(std::string_view stream, const StoredOptions& base)
{
    const StreamObject obj = readObjectStream(stream);
    StoredOptions o = base;
    for (const StreamProperty& p : obj.properties) {
        const std::string upper = engine::toUpperGerman(p.name);
        for (const Option& opt : kOptions)
            if (engine::toUpperGerman(opt.name) == upper) take(o, opt, p.value);
        for (const Option& opt : kAdded)
            if (engine::toUpperGerman(opt.name) == upper) take(o, opt, p.value);
    }
    return o;
}

const std::string* textOption(const StoredOptions& options, std::string_view name)
{
    const std::string upper = engine::toUpperGerman(name);
    for (const Option& opt : kOptions) {
        const auto* member = std::get_if<std::string StoredOptions::*>(&opt.member);
        if (member && engine::toUpperGerman(opt.name) == upper) return &(options.**member);
    }
    return nullptr;
}

} // namespace trevo::common
