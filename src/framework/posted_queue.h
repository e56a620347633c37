// A queue that any thread feeds and the GUI thread empties, one item at a
// time, in the order the items came. It is bounded: when full, the oldest
// item goes, so a feeder that floods neither grows memory nor freezes the
// window. However many items wait, one emptying is posted; each item is
// taken from the queue only when its turn comes, so a handler that serves
// messages meanwhile (a message box) lets a later emptying go on with the
// items after it, still in their order. An emptying already posted when
// the queue goes finds nothing to hand on.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

#include "framework/application.h"

namespace fw {

template <class T>
class PostedQueue {
public:
    // `handle` runs on the GUI thread for every item, while the queue lives.
    PostedQueue(Application& app, std::size_t capacity, std::function<void(T&)> handle)
        : app_(app), shared_(std::make_shared<Shared>()) {
        shared_->capacity = capacity;
        shared_->handle = std::move(handle);
    }
    // GUI thread, as the emptying is.
    ~PostedQueue() { shared_->handle = nullptr; }
    PostedQueue(const PostedQueue&) = delete;
    PostedQueue& operator=(const PostedQueue&) = delete;

    // Any thread.
    void push(T item) {
        std::lock_guard lock(shared_->mutex);
        if (shared_->waiting.size() >= shared_->capacity) shared_->waiting.pop_front();
        shared_->waiting.push_back(std::move(item));
        if (shared_->emptyingPosted) return;
        shared_->emptyingPosted = true;
        app_.post([shared = shared_] { shared->empty(); });
    }
    std::size_t waiting() const {
        std::lock_guard lock(shared_->mutex);
        return shared_->waiting.size();
    }
    // GUI thread: what waits is handled now, before what comes next.
    void emptyNow() { shared_->empty(); }

private:
    struct Shared {
        mutable std::mutex mutex;
        std::deque<T> waiting;        // under the mutex
        bool emptyingPosted = false;  // under the mutex
        std::size_t capacity = 0;
        std::function<void(T&)> handle;  // GUI thread only
        void empty() {
            {
                std::lock_guard lock(mutex);
                emptyingPosted = false;
            }
            for (;;) {
                if (!handle) return;
                T item;
                {
                    std::lock_guard lock(mutex);
                    if (waiting.empty()) return;
                    item = std::move(waiting.front());
                    waiting.pop_front();
                }
                handle(item);
            }
        }
    };
    Application& app_;
    std::shared_ptr<Shared> shared_;
};

}  // namespace fw
