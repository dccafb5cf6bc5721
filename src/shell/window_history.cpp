#include "shell/window_history.h"

#include "common/fenster/window_codes.h"

namespace trevo::shell {

void WindowHistory::activated(int code, bool wasActive)
{
    if (!wasActive) entries_.push_back(code);
}

bool WindowHistory::stepBack()
{
    if (entries_.size() < 2) return true;
    entries_.pop_back();
    return false;
}

int WindowHistory::target()
{
    if (entries_.empty()) entries_.push_back(common::Fenster::Termine);
    return entries_.back();
}

} // namespace trevo::shell
