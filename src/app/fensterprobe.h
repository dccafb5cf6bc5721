#pragma once
// Diagnostics of the program for support and for the test of the built program:
//   trevo --fenster            lists the window codes and captions the program contains;
//   trevo --fensterprobe 5 14  starts on the data of its folder, opens every window of the
//                              "Fenster" and "Extras" menus through its menu item, reports
//                              each, and ends with exit code 1 when one of the given codes
//                              could not be opened or any message box appeared. With the
//                              members window (5) it also opens the member import on the
//                              folder's KEGLER.DBF and cancels it.
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

// The members window's "Importieren" on KEGLER.DBF of the data folder: prints whether the
// import dialog came up with both tables' fields, then cancels it; nothing is imported.
bool importProbe(shell::MainForm1& main);

// Opens the windows through the menus and prints one line each; the exit code.
int fensterProbe(shell::MainForm1& main, const std::vector<int>& expected);

} // namespace trevo::app
