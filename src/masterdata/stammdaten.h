#pragma once
// The master-data windows are configurations of the shell's master-data pattern and use
// its data access and search dialogs by their plain names.
namespace trevo::shell::stammdaten {
}

namespace trevo::masterdata {
using namespace shell::stammdaten;
}
