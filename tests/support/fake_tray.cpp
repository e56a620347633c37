#include "support/fake_tray.h"

namespace testing_support {

class FakeListening : public platform::TrayListening {
public:
    explicit FakeListening(FakeTray& tray) : tray_(tray) { ++tray_.listeningsAlive; }
    ~FakeListening() override {
        --tray_.listeningsAlive;
        tray_.listener_ = nullptr;
        tray_.calls.push_back("stop listening");
    }

private:
    FakeTray& tray_;
};

bool FakeTray::notifyIcon(platform::TrayIconOperation operation, const platform::TrayIconSpec& icon) {
    static const char* names[] = {"add", "modify", "delete"};
    calls.push_back(std::string("notify ") + names[static_cast<int>(operation)] + " tip=" + icon.tip);
    notified.push_back(icon);
    return true;
}

std::unique_ptr<platform::TrayListening> FakeTray::listen(fw::WindowHandle window,
                                                          platform::TrayListener& listener) {
    calls.push_back("listen " + std::to_string(window));
    listener_ = &listener;
    return std::make_unique<FakeListening>(*this);
}

void FakeTray::postTipRefresh(fw::WindowHandle window) {
    calls.push_back("post tip refresh");
    tipRefreshesPosted.push_back(window);
}

fw::WindowHandle FakeTray::findWindow(const std::string& caption) {
    calls.push_back("find " + caption);
    auto it = windowsByCaption.find(caption);
    return it == windowsByCaption.end() ? 0 : it->second;
}

void FakeTray::showWindow(fw::WindowHandle window, platform::ShowCommand command) {
    calls.push_back("show " + std::to_string(window) +
                    (command == platform::ShowCommand::show ? " show" : " hide"));
}

void FakeTray::setActiveWindow(fw::WindowHandle window) {
    calls.push_back("activate " + std::to_string(window));
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
