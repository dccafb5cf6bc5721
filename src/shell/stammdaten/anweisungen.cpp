#include "shell/stammdaten/anweisungen.h"

#include "shell/stammdaten/literale.h"
#include "engine/sql/sql.h"

namespace trevo::shell::stammdaten {

using engine::FieldDef;

std::vector<std::string> suchAnweisung(const std::string& path, const FieldDef& field, std::string_view text,
                                       Suchart art)
{
    std::string condition;
    switch (feldart(field)) {
    case Feldart::Text: {
        std::string pattern = art == Suchart::Irgendwo ? "%" : "";
        pattern += text;
        pattern += '%';
        condition = field.name + " LIKE " + literal(field, pattern, '"');
        break;
    }
    case Feldart::Memo:
        // Single quotes: a memo text that reads like a column name stays a text.
        condition = field.name + "=" + literal(field, text, '\'');
        break;
    default: condition = field.name + "=" + literal(field, text, '"'); break;
    }
    return {"SELECT NUMMER," + field.name, "FROM", engine::sql::quoted(path, '"'), "WHERE", condition};
}

const char* bedingungsText(Bedingung b)
{
    switch (b) {
    case Bedingung::Gleich: return "gleich  =";
    case Bedingung::Groesser: return "größer als  >  ";
    case Bedingung::GroesserGleich: return "größer oder gleich >= ";
    case Bedingung::Kleiner: return "kleiner als  <  ";
    case Bedingung::KleinerGleich: return "kleiner oder gleich  <= ";
    case Bedingung::Ungleich: return "ungleich <> ";
    case Bedingung::Zwischen: return "zwischen";
    }
    return "";
}

namespace {

const char* op(Bedingung b)
{
    switch (b) {
    case Bedingung::Gleich: return "=";
    case Bedingung::Groesser: return ">";
    case Bedingung::GroesserGleich: return ">=";
    case Bedingung::Kleiner: return "<";
    case Bedingung::KleinerGleich: return "<=";
    case Bedingung::Ungleich: return "<>";
    case Bedingung::Zwischen: break;
    }
    return "=";
}

} // namespace

std::string filterAusdruck(const FieldDef& field, Bedingung b, std::string_view from, std::string_view to)
{
    const std::string& f = field.name;
    const std::string v1 = literal(field, from, '\'');
    if (b != Bedingung::Zwischen) return "(" + f + op(b) + v1 + ")";
    const std::string v2 = literal(field, to, '\'');
    return "(" + f + ">=" + v1 + " AND " + f + "<=" + v2 + ")";
}

} // namespace trevo::shell::stammdaten
