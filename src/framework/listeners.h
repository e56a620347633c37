// Listeners: any number of callbacks for one kind of event, each added with
// a Subscription whose end (destruction or reset()) removes that callback
// and no other. Callbacks are called in the order they were added. One may
// end its own or another's subscription, or add a new one, while it is
// being called: an ended callback is not called again, one added during a
// call is first called at the next event. A subscription may outlive the
// listeners it was made by; ending it then does nothing.
//
// Single-threaded: add, end and call on one thread (the GUI thread).
#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace fw {

class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> end) : end_(std::move(end)) {}
    Subscription(Subscription&& other) noexcept : end_(std::exchange(other.end_, nullptr)) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            reset();
            end_ = std::exchange(other.end_, nullptr);
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { reset(); }

    void reset() {
        if (auto end = std::exchange(end_, nullptr)) end();
    }
    bool active() const { return static_cast<bool>(end_); }

private:
    std::function<void()> end_;
};

template <class Signature>
class Listeners;

// Listeners<void(int)> hears events; Listeners<bool(Message&)> is a chain of
// filters, called until one answers true (it took the event).
template <class R, class... Args>
class Listeners<R(Args...)> {
public:
    using Callback = std::function<R(Args...)>;

    Listeners() : entries_(std::make_shared<std::vector<Entry>>()) {}
    Listeners(const Listeners&) = delete;
    Listeners& operator=(const Listeners&) = delete;

    [[nodiscard]] Subscription add(Callback callback) {
        const unsigned id = ++lastId_;
        entries_->push_back({id, std::make_shared<Callback>(std::move(callback))});
        return Subscription([weak = std::weak_ptr<std::vector<Entry>>(entries_), id] {
            if (auto entries = weak.lock()) std::erase_if(*entries, [id](const Entry& e) { return e.id == id; });
        });
    }

    // Calls every callback; filters stop at the first that answers true,
    // and tell whether one did.
    bool operator()(Args... args) const {
        for (const auto& callback : snapshot()) {
            if (!stillAdded(callback)) continue;
            if constexpr (std::is_same_v<R, bool>) {
                if ((*callback)(args...)) return true;
            } else {
                (*callback)(args...);
            }
        }
        return false;
    }

    std::size_t size() const { return entries_->size(); }
    bool empty() const { return entries_->empty(); }

private:
    struct Entry {
        unsigned id;
        std::shared_ptr<Callback> callback;
    };
    std::vector<std::shared_ptr<Callback>> snapshot() const {
        std::vector<std::shared_ptr<Callback>> out;
        out.reserve(entries_->size());
        for (const Entry& e : *entries_) out.push_back(e.callback);
        return out;
    }
    bool stillAdded(const std::shared_ptr<Callback>& callback) const {
        for (const Entry& e : *entries_)
            if (e.callback == callback) return true;
        return false;
    }

    std::shared_ptr<std::vector<Entry>> entries_;
    unsigned lastId_ = 0;
};

}  // namespace fw
