#pragma once
#include <string>

namespace trevo::dbftool {

// Each prints to stdout (messages to stderr) and returns the exit code.
int info(const std::string& file);
int dump(const std::string& file);
int check(const std::string& file);
// Sets the header's record count and length from the file, after copying the original.
int repair(const std::string& file);

} // namespace trevo::dbftool
