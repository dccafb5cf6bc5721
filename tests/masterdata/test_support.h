#pragma once
// The master-data tests use the shared test club and shell by their plain names.
#include "masterdata/stammdaten.h"
#include "support/fake_shell.h"
#include "support/testverein.h"

namespace trevo::masterdata::test {
using namespace trevo::test;
}
