#include "support/fake_tray.h"

namespace testing_support {

class FakeSubclass : public platform::WindowSubclass {
public:
    explicit FakeSubclass(FakeTray& tray) : tray_(tray) { ++tray_.subclassesAlive; }
    ~FakeSubclass() override {
        --tray_.subclassesAlive;
        tray_.handler_ = nullptr;
        tray_.calls.push_back("restore procedure");
    }

private:
    FakeTray& tray_;
};

bool FakeTray::send(fw::Message message) {
    if (handler_ && handler_(message)) return true;
    passedOn.push_back(message);
    return false;
}

bool FakeTray::notifyIcon(platform::NotifyIconOperation operation, const platform::NotifyIconData& data) {
    static const char* names[] = {"add", "modify", "delete"};
    calls.push_back(std::string("notify ") + names[static_cast<int>(operation)] + " tip=" + data.tip);
    notified.push_back(data);
    return true;
}

std::unique_ptr<platform::WindowSubclass> FakeTray::subclass(fw::WindowHandle window,
                                                             platform::SubclassHandler handler) {
    calls.push_back("subclass " + std::to_string(window));
    handler_ = std::move(handler);
    return std::make_unique<FakeSubclass>(*this);
}

fw::WindowHandle FakeTray::findWindow(const std::string& caption) {
    calls.push_back("find " + caption);
    auto it = windowsByCaption.find(caption);
    return it == windowsByCaption.end() ? 0 : it->second;
}

void FakeTray::showWindow(fw::WindowHandle window, platform::ShowCommand command) {
    calls.push_back("show " + std::to_string(window) + (command == platform::ShowCommand::show ? " show" : " hide"));
}

void FakeTray::setActiveWindow(fw::WindowHandle window) { calls.push_back("activate " + std::to_string(window)); }

void FakeTray::postMessage(fw::WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    calls.push_back("post " + std::to_string(message));
    posted.push_back({window, message, wParam, lParam});
}

platform::ServiceRegistration FakeTray::registerServiceProcess(bool hidden) {
    calls.push_back(std::string("register ") + (hidden ? "1" : "0"));
    return registration;
}

platform::IconHandle FakeTray::loadIcon(const std::string& resourceName) {
    calls.push_back("load icon " + resourceName);
    return 0x1C0;
}

}  // namespace testing_support
