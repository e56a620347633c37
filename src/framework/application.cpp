#include "framework/application.h"

#include <algorithm>
#include <stdexcept>

#include "framework/form.h"

namespace fw {

Application::Application(Host& host) : Component(nullptr, "Application"), host_(host) {
    host_.attach(this);
}

Application::~Application() {
    // Forms reach back into the application while they die.
    destroyComponents();
    host_.attach(nullptr);
}

Application* Application::find(Component* component) {
    for (Component* c = component; c; c = c->owner())
        if (auto* app = dynamic_cast<Application*>(c)) return app;
    return nullptr;
}

Application& Application::of(Component* component) {
    if (Application* app = find(component)) return *app;
    throw std::logic_error("component is not owned by the application");
}

void Application::setTitle(std::string title) {
    title_ = std::move(title);
    host_.setApplicationTitle(title_);
}

void Application::run() {
    if (mainForm_ && showMainForm_) mainForm_->show();
    host_.runLoop([this] { return terminated_; });
}

void Application::processMessages() {
    host_.processMessages();
}

void Application::terminate() {
    if (terminated_) return;
    terminated_ = true;
    host_.quit();
}

Subscription Application::addMessageHook(MessageHook hook) {
    // Each hook is guarded on its own: one that fails does not keep the
    // message from the others.
    return hooks_.add([this, hook = std::move(hook)](Message& message) {
        bool handled = false;
        guarded([&] { handled = hook(message); });
        return handled;
    });
}

bool Application::callMessageHook(Message& message) {
    return hooks_(message);
}

void Application::end() {
    if (!ended_) {
        ended_ = true;
        ending_();
    }
    terminate();
}

Subscription Application::onEnding(std::function<void()> ending) {
    return ending_.add([this, ending = std::move(ending)] { guarded(ending); });
}

Subscription Application::onSystemResumed(std::function<void()> resumed) {
    return resumed_.add([this, resumed = std::move(resumed)] { guarded(resumed); });
}

void Application::post(std::function<void()> work) {
    {
        std::lock_guard lock(postedMutex_);
        posted_.push_back(std::move(work));
    }
    host_.wake();
}

void Application::runPosted() {
    // One at a time, straight from the queue: work that serves messages (a
    // message box) lets the work after it go on in the order it was posted,
    // not after what was posted meanwhile. What was waiting when the call
    // began is run; what comes meanwhile waits for the next wake.
    std::size_t left;
    {
        std::lock_guard lock(postedMutex_);
        left = posted_.size();
    }
    for (; left > 0; --left) {
        std::function<void()> work;
        {
            std::lock_guard lock(postedMutex_);
            if (posted_.empty()) return;
            work = std::move(posted_.front());
            posted_.pop_front();
        }
        guarded(work);
    }
}

void Application::systemResumed() {
    resumed_();
}

void Application::showError(const std::string& text) noexcept {
    try {
        const WindowHandle owner = mainForm_ && mainForm_->visible() ? mainForm_->handle() : 0;
        host_.messageBox(owner, text, title_, MessageIcon::error);
    } catch (...) {
        // Nothing sensible is left to do when even the message box fails.
    }
}

void Application::messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                             WindowHandle owner) {
    host_.messageBox(owner, text, caption, icon);
}

void Application::formCreated(Form& form) {
    forms_.push_back(&form);
    if (!mainForm_) mainForm_ = &form;
}

void Application::formDestroyed(Form& form) {
    std::erase(forms_, &form);
    if (mainForm_ == &form) mainForm_ = nullptr;
}

}  // namespace fw
