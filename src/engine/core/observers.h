#pragma once
// Plain C++ observers: controls and windows subscribe to a source and get told of
// what changed, so nothing has to poll. A Subscription ends the subscription when it
// goes, and may outlive its source safely.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace trevo::engine {

class Subscription {
public:
    Subscription() = default;
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    Subscription(Subscription&& o) noexcept : cancel_(std::move(o.cancel_)) { o.cancel_ = nullptr; }
    Subscription& operator=(Subscription&& o) noexcept
    {
        if (this != &o) {
            reset();
            cancel_ = std::move(o.cancel_);
            o.cancel_ = nullptr;
        }
        return *this;
    }
    ~Subscription() { reset(); }
    void reset()
    {
        if (cancel_) {
            auto c = std::move(cancel_);
            cancel_ = nullptr;
            c();
        }
    }
    bool active() const { return static_cast<bool>(cancel_); }

private:
    template <class>
    friend class ObserverList;
    explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    std::function<void()> cancel_;
};

// Listeners of one kind of event. Listeners may subscribe and unsubscribe while being
// notified; a listener removed during a notification is not called afterwards.
template <class Event>
class ObserverList {
public:
    using Listener = std::function<void(const Event&)>;

    ObserverList() : state_(std::make_shared<State>()) {}
    ObserverList(const ObserverList&) = delete;
    ObserverList& operator=(const ObserverList&) = delete;

    Subscription subscribe(Listener l)
    {
        const uint64_t id = ++state_->nextId;
        state_->entries.push_back({id, std::make_shared<Listener>(std::move(l))});
        std::weak_ptr<State> weak = state_;
        return Subscription([weak, id] {
            if (auto s = weak.lock()) std::erase_if(s->entries, [id](const Entry& e) { return e.id == id; });
        });
    }

    void notify(const Event& e) const
    {
        // A copy, so changes of the list during the calls do not disturb the walk.
        const std::vector<Entry> snapshot = state_->entries;
        for (const Entry& entry : snapshot) {
            const bool stillThere = std::any_of(state_->entries.begin(), state_->entries.end(),
                                                [&](const Entry& x) { return x.id == entry.id; });
            if (stillThere) (*entry.listener)(e);
        }
    }

    size_t size() const { return state_->entries.size(); }

private:
    struct Entry {
        uint64_t id;
        std::shared_ptr<Listener> listener;
    };
    struct State {
        uint64_t nextId = 0;
        std::vector<Entry> entries;
    };
    std::shared_ptr<State> state_;
};

} // namespace trevo::engine
