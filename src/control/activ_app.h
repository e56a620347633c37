// TActivApp: brings another application to the user. ActivateApp finds
// its main window by exact title and asks it to come to the front, or
// starts it from ExePath when no such window exists: exactly that file,
// never a command line the system would split at a blank. It also makes this
// application answer the same request by restoring itself and coming to the
// front, through the application-wide message hook.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "framework/application.h"
#include "framework/component.h"
#include "platform/launcher.h"

namespace control {

// A program file started as exactly that file: its path quoted (blanks
// cannot split it), its folder the working folder.
platform::Launch launchOf(const std::string& file);

using TMYParamEvent = std::function<void(fw::Component& sender, bool& Continue)>;

class TActivApp : public fw::Component {
public:
    TActivApp(fw::Component* owner, std::string name, platform::Launcher& launcher);
    ~TActivApp() override;

    const std::string& MainFormTitle() const { return mainFormTitle_; }
    void setMainFormTitle(std::string title) { mainFormTitle_ = std::move(title); }
    const std::string& ExePath() const { return exePath_; }
    void setExePath(std::string path) { exePath_ = std::move(path); }
    TMYParamEvent BeforeLaunchApp;

    // Brings the application forward, or starts it; what kept it from
    // starting, if it did not.
    std::optional<platform::LaunchFailure> ActivateApp();
    std::optional<platform::LaunchFailure> ExecuteApp();

private:
    bool hook(fw::Message& message);

    platform::Launcher& launcher_;
    fw::Application& app_;
    std::string mainFormTitle_;
    std::string exePath_;
    fw::Subscription hook_;
};

}  // namespace control
