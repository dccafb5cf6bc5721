#include "engine/expr/filter.h"

#include "engine/expr/bind.h"
#include "engine/expr/error.h"
#include "engine/expr/eval.h"
#include "engine/expr/parser.h"

namespace trevo::engine::expr {

Filter Filter::compile(std::string_view text, const std::vector<FieldDef>& fields)
{
    Filter f;
    f.text_ = std::string(text);
    f.fields_ = fields;
    TokenStream ts(tokenize(text));
    if (ts.atEnd()) return f;
    ParseOptions opt;
    opt.allowAggregates = false;
    NodePtr root = parseExpression(ts, opt);
    if (!ts.atEnd()) syntaxError(ts.peek());
    Scope scope;
    scope.tables.push_back({"", &f.fields_});
    bind(root, scope);
    requireConditionType(root);
    prepareConstants(*root);
    f.root_ = std::shared_ptr<Node>(root.release());
    return f;
}

bool Filter::matches(const Record& record) const
{
    if (!root_) return true;
    const Record* rows[1] = {&record};
    EvalContext ctx;
    ctx.rows = rows;
    ctx.failedArithmeticIsNull = true;
    return holds(*root_, ctx);
}

} // namespace trevo::engine::expr
