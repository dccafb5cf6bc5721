#pragma once
// Errors of the engine. Every error carries a German text meant for the user;
// one guard around each user command shows it in the error box.
#include <stdexcept>
#include <string>

namespace trevo::engine {

class EngineError : public std::runtime_error {
public:
    explicit EngineError(const std::string& germanText) : std::runtime_error(germanText) {}
};

// A file could not be read or written (disk full, permission, I/O fault).
class IoError : public EngineError {
public:
    using EngineError::EngineError;
};

// A table or memo file is damaged.
class FormatError : public EngineError {
public:
    using EngineError::EngineError;
};

// A value does not fit its field or cannot be converted.
class ValueError : public EngineError {
public:
    using EngineError::EngineError;
};

} // namespace trevo::engine
