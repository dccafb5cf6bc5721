#pragma once
// The printer chosen under "Drucker einrichten"; printing uses it.
class QPrinter;

namespace trevo::shell {

QPrinter& sharedPrinter();

} // namespace trevo::shell
