// Tokenizer, statement parser and filter compiler on arbitrary text: every input
// either parses or fails with an engine error; nothing may crash or hang. The text
// pasted as a value through sql::quoted must read back as one literal of that text.
#include "engine/core/error.h"
#include "engine/expr/eval.h"
#include "engine/expr/filter.h"
#include "engine/expr/token.h"
#include "engine/sql/sql.h"
#include "engine/sql/statement.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace trevo::engine;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        sql::Statement st = sql::parseStatement(text);
        for (auto& item : st.select.items) (void)expr::toText(*item.expr);
    } catch (const EngineError&) {
    }
    static const std::vector<FieldDef> fields = {
        {"NUMMER", 'N', 10, 0}, {"NAME", 'C', 50, 0}, {"DATUM", 'D', 8, 0}, {"MITGLIED", 'L', 1, 0}, {"BETRAG", 'N', 10, 2}};
    static const Record record = {Value::number(7), Value::text("Müller"), Value::date(37000), Value::logical(true),
                                  Value::null()};
    try {
        const expr::Filter f = expr::Filter::compile(text, fields);
        (void)f.matches(record);
    } catch (const EngineError&) {
    }
    for (char quote : {'"', '\''}) {
        const auto tokens = expr::tokenize(sql::quoted(text, quote));
        const bool literal = tokens.size() == 2 && tokens[0].text == text &&
                             (tokens[0].kind == expr::TokenKind::SingleQuoted ||
                              (tokens[0].kind == expr::TokenKind::DoubleQuoted && !expr::isPlainName(text)));
        if (!literal) std::abort();
    }
    return 0;
}
