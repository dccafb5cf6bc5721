#pragma once
// One guard around each user command: engine and conversion errors end the command and
// are shown in the application's error box with their German text (while the program
// starts, through the start-up error handler, see Application::setErrorPresenter). No exception leaves
// the guard, so commands connected to Qt signals through it never throw into Qt.
#include <QString>

#include <exception>
#include <functional>
#include <utility>

namespace trevo::controls {

// The German text of an error caught by the guard.
QString errorText(const std::exception& e);
// The text of the exception being handled (inside a catch block).
QString currentErrorText();

// Runs the command; returns false when it ended by an error (the error was shown) or was
// aborted on purpose (engine::Aborted: a rule already told the user; nothing is shown).
bool runGuarded(const std::function<void()>& command);

// Wraps a command for connect(): connect(button, &QPushButton::clicked, this, guarded([this] { ... }));
template <class F>
auto guarded(F command)
{
    return [command = std::move(command)]() mutable { runGuarded(command); };
}

} // namespace trevo::controls
