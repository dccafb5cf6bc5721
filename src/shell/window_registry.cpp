#include "shell/window_registry.h"

#include "dbcontrols/command_guard.h"

namespace trevo::shell {

void WindowRegistry::addWindow(int code, WindowCreator creator)
{
    windows_[code] = std::move(creator);
}

bool WindowRegistry::hasWindow(int code) const
{
    return windows_.count(code) != 0;
}

ChildWindow* WindowRegistry::createWindow(int code, ShellServices& shell) const
{
    const auto it = windows_.find(code);
    return it == windows_.end() ? nullptr : it->second(shell);
}

void WindowRegistry::addCommand(const QString& name, std::function<void()> command)
{
    commands_[name] = std::move(command);
}

bool WindowRegistry::hasCommand(const QString& name) const
{
    return commands_.count(name) != 0;
}

bool WindowRegistry::runCommand(const QString& name) const
{
    const auto it = commands_.find(name);
    if (it == commands_.end()) return false;
    return controls::runGuarded(it->second);
}

std::vector<int> WindowRegistry::windowCodes() const
{
    std::vector<int> codes;
    for (const auto& entry : windows_) codes.push_back(entry.first);
    return codes;
}

} // namespace trevo::shell
