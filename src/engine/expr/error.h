#pragma once
// Errors of statements and filters: what went wrong and where, in German.
#include "engine/core/error.h"
#include "engine/expr/token.h"

#include <string>

namespace trevo::engine::expr {

class SqlError : public EngineError {
public:
    using EngineError::EngineError;
};

// "Syntaxfehler in Zeile 3 bei 'FORM'" (or "... am Ende des Textes").
[[noreturn]] void syntaxError(const Token& at);
// A message with the token's line: "<what> in Zeile N".
[[noreturn]] void errorAt(const Token& at, const std::string& what);

} // namespace trevo::engine::expr
