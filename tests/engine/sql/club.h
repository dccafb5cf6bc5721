#pragma once
// The fixture club of the statement tests: three evenings, five bowlers, two price
// lists in two currencies; every amount chosen so that the expected rows of the
// program's statements can be worked out by hand (see club.cpp).
#include "sql_fixture.h"

#include <initializer_list>
#include <string>

namespace trevo::engine::sqltest {

void buildClub(SqlFixture& f);

// A statement built line by line as the program builds it (lines joined by CR LF).
std::string lines(std::initializer_list<std::string> parts);
// The quoted full path of a file of the data folder, as the program writes it.
std::string q(const SqlFixture& f, const std::string& file);

} // namespace trevo::engine::sqltest
