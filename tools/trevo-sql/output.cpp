#include "output.h"

#include <cctype>

#include "engine/expr/eval.h"

namespace trevo::sqltool {

using namespace trevo::engine;

namespace {

std::string escaped(const std::string& s)
{
    std::string out;
    for (char c : s) {
        switch (c) {
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\\': out += "\\\\"; break;
        default: out += c;
        }
    }
    return out;
}

std::string valueText(const Value& v)
{
    switch (v.type()) {
    case ValueType::Null: return "";
    case ValueType::Number: return expr::numberText(v.number());
    case ValueType::Text: return escaped(v.text());
    case ValueType::Date: return formatDate(v.date());
    case ValueType::Logical: return v.logical() ? "T" : "F";
    }
    return "";
}

} // namespace

std::string formatResult(const sql::QueryResult& r)
{
    if (r.affected >= 0 && r.columns.empty()) return std::to_string(r.affected) + "\n";
    std::string out;
    for (size_t i = 0; i < r.columns.size(); ++i) {
        if (i) out += '\t';
        out += escaped(r.columns[i].name);
    }
    out += '\n';
    for (const auto& row : r.rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            if (i) out += '\t';
            out += valueText(row[i]);
        }
        out += '\n';
    }
    return out;
}

std::vector<std::string> splitStatements(const std::string& input)
{
    std::vector<std::string> out;
    std::string current;
    size_t pos = 0;
    auto flush = [&] {
        if (current.find_first_not_of(" \t\r\n") != std::string::npos) out.push_back(current);
        current.clear();
    };
    while (pos <= input.size()) {
        size_t end = input.find('\n', pos);
        if (end == std::string::npos) end = input.size();
        const std::string line = input.substr(pos, end - pos);
        const size_t a = line.find_first_not_of(" \t\r");
        if (a != std::string::npos && line[a] == ';' && line.find_first_not_of(" \t\r", a + 1) == std::string::npos) {
            flush();
        } else {
            current += line;
            current += '\n';
        }
        pos = end + 1;
    }
    flush();
    return out;
}

bool onlyReads(const std::string& statement)
{
    size_t i = 0;
    while (i < statement.size() && std::isspace(static_cast<unsigned char>(statement[i]))) ++i;
    std::string word;
    while (i < statement.size() && std::isalpha(static_cast<unsigned char>(statement[i])))
        word += static_cast<char>(std::toupper(static_cast<unsigned char>(statement[i++])));
    return word == "SELECT" || word == "EXPLAIN";
}

} // namespace trevo::sqltool
