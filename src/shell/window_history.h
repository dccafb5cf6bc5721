#pragma once
// The window history: the codes of the activated windows, the most recent last.
// Entries may repeat. Going back removes the last entry; a history that would run
// empty ends the program instead (the caller asks first).
#include <vector>

namespace trevo::shell {

class WindowHistory {
public:
    WindowHistory() = default;

    const std::vector<int>& entries() const { return entries_; }
    void reset(int code) { entries_.assign(1, code); }

    // A window was activated; `wasActive` tells whether it already was the active child.
    void activated(int code, bool wasActive);

    // First step of going back: true when the history is too short to go back, so the
    // program is to be ended; otherwise the last entry is removed.
    bool stepBack();
    // Second step: the code whose window comes to the front (1 when the history ran empty).
    int target();

private:
    std::vector<int> entries_;
};

} // namespace trevo::shell
