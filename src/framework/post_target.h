// Work that another thread posts to the GUI thread for an object that may
// be gone by the time it runs. The object keeps a PostTarget of itself;
// the poster it hands out is copied into the other thread's callbacks, and
// the work it posts reaches the object only while the object lives.
#pragma once

#include <memory>
#include <utility>

#include "framework/application.h"

namespace fw {

template <class T>
class Poster {
public:
    Poster(Application& app, std::weak_ptr<T*> alive) : app_(&app), alive_(std::move(alive)) {}
    // Any thread: `work(object)` runs on the GUI thread, if the object
    // still lives then.
    template <class Work>
    void operator()(Work work) const {
        app_->post([alive = alive_, work = std::move(work)]() mutable {
            if (auto object = alive.lock()) work(**object);
        });
    }

private:
    Application* app_;
    std::weak_ptr<T*> alive_;
};

template <class T>
class PostTarget {
public:
    explicit PostTarget(T& object) : owner_(std::make_shared<T*>(&object)) {}
    PostTarget(const PostTarget&) = delete;
    PostTarget& operator=(const PostTarget&) = delete;
    // GUI thread: a poster to hand to another thread.
    Poster<T> to(Application& app) const { return Poster<T>(app, owner_); }

private:
    std::shared_ptr<T*> owner_;
};

}  // namespace fw
