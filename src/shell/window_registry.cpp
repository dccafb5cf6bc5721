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

void WindowRegistry::addSwitch(const QString& name, std::function<bool()> state, std::function<void(bool)> set)
{
    switches_[name] = {std::move(state), std::move(set)};
}

bool WindowRegistry::hasSwitch(const QString& name) const
{
    return switches_.count(name) != 0;
}

bool WindowRegistry::switchState(const QString& name) const
{
    const auto it = switches_.find(name);
    return it != switches_.end() && it->second.first();
}

void WindowRegistry::setSwitch(const QString& name, bool on) const
{
    const auto it = switches_.find(name);
    if (it != switches_.end()) it->second.second(on);
}

std::vector<int> WindowRegistry::windowCodes() const
{
    std::vector<int> codes;
    for (const auto& entry : windows_) codes.push_back(entry.first);
    return codes;
}

} // namespace trevo::shell
