#pragma once
// Diagnostics of the program for support and for the test of the built program:
//   trevo --fenster            lists the window codes and captions the program contains;
//   trevo --fensterprobe 5 14  starts on the data of its folder, opens every window of the
//                              "Fenster" and "Extras" menus through its menu item, reports
//                              each, and ends with exit code 1 when one of the given codes
//                              could not be opened or any message box appeared.
#include <QStringList>

#include <optional>
#include <vector>

namespace trevo::shell {
class MainForm1;
class WindowRegistry;
} // namespace trevo::shell

namespace trevo::app {

// Prints "5\tMitglieder" lines for every code with a window.
void fensterAuflisten(const shell::WindowRegistry& registry);

// The codes after --fensterprobe; nothing when the argument is not there.
std::optional<std::vector<int>> probeCodes(const QStringList& arguments);

// Installs a dialog service that answers every box cautiously and counts it; from then on
// nothing waits for a user.
void probeDialogeEinsetzen();

// Opens the windows through the menus and prints one line each; the exit code.
int fensterProbe(shell::MainForm1& main, const std::vector<int>& expected);

} // namespace trevo::app
