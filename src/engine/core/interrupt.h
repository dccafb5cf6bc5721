#pragma once
// Cancelling a running statement from outside it.
//
// The please-wait window's cancel button or a Ctrl+C handler calls requestInterrupt();
// the engine's long loops (scans, joins, grouping, sorting, building indexes) call
// checkInterrupt(), which then throws Interrupted. The flag stays set until it is
// cleared, so a command made of several statements ends at the next one too; whoever
// starts a cancellable command clears it first, most simply with an InterruptScope.
//
// requestInterrupt() only stores into a lock-free atomic: it may be called from a
// signal handler and from any thread.
#include "engine/core/error.h"

#include <atomic>

namespace trevo::engine {

// The statement was cancelled by the user; the tables are as before it.
class Interrupted : public EngineError {
public:
    Interrupted() : EngineError("Die Anweisung wurde abgebrochen") {}
};

namespace detail {
inline std::atomic<bool> interruptFlag{false};
inline std::atomic<void (*)()> interruptPoll{nullptr};
static_assert(std::atomic<bool>::is_always_lock_free, "the interrupt flag must be usable in signal handlers");
} // namespace detail

inline void requestInterrupt() noexcept { detail::interruptFlag.store(true, std::memory_order_relaxed); }
inline void clearInterrupt() noexcept { detail::interruptFlag.store(false, std::memory_order_relaxed); }
inline bool interruptRequested() noexcept { return detail::interruptFlag.load(std::memory_order_relaxed); }

// A function the engine calls at every check (about every thousand records), so that a
// program running statements in its user-interface thread can let its please-wait
// window handle a click on its cancel button (at most every 100 ms or so; the function
// keeps its own clock). Null: none. It must not run statements itself.
inline void setInterruptPoll(void (*poll)()) noexcept { detail::interruptPoll.store(poll); }

// Throws Interrupted when an interrupt was requested.
inline void checkInterrupt()
{
    if (auto poll = detail::interruptPoll.load(std::memory_order_relaxed)) poll();
    if (interruptRequested()) throw Interrupted();
}

// Clears the flag when a cancellable command begins and again when it ends, so that a
// request that came too late for this command does not cancel the next one.
class InterruptScope {
public:
    InterruptScope() noexcept { clearInterrupt(); }
    ~InterruptScope() { clearInterrupt(); }
    InterruptScope(const InterruptScope&) = delete;
    InterruptScope& operator=(const InterruptScope&) = delete;
};

} // namespace trevo::engine
