#pragma once
// The hourglass cursor of the whole program, switched on and off without nesting:
// switching it on twice and off once gives the normal cursor again.
namespace trevo::shell {

void setHourglass(bool on);
bool hourglassOn();

} // namespace trevo::shell
