#pragma once
// The scalar functions of the expression language and CAST.
#include "engine/expr/eval.h"

namespace trevo::engine::expr {

Value callFunction(const Node& n, const EvalContext& ctx);
Value castValue(const Node& n, const EvalContext& ctx);

} // namespace trevo::engine::expr
