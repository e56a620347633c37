#include "control/activ_app.h"

namespace control {
namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

platform::Launch launchOf(const std::string& file) {
    std::string folder = folderOf(file);
    // The root of a drive keeps its backslash ("C:\"); any other folder
    // is named without one.
    if (folder.size() > 1 && folder.back() != ':' && folder[folder.size() - 2] != ':') folder.pop_back();
    return {file, "\"" + file + "\"", folder};
}

TActivApp::TActivApp(fw::Component* owner, std::string name, platform::Launcher& launcher)
    : fw::Component(owner, std::move(name)),
      launcher_(launcher),
      app_(fw::Application::of(owner)),
      mainFormTitle_("MyOtherApp"),
      exePath_(folderOf(app_.exeName())) {
    hook_ = app_.addMessageHook([this](fw::Message& m) { return hook(m); });
}

// The hook's subscription ends with the component: nothing reaches a dead
// component's handler.
TActivApp::~TActivApp() = default;

std::optional<platform::LaunchFailure> TActivApp::ActivateApp() {
    if (const fw::WindowHandle w = launcher_.findByTitle(mainFormTitle_)) {
        launcher_.requestActivation(w);
        return std::nullopt;
    }
    bool Continue = true;
    if (BeforeLaunchApp) BeforeLaunchApp(*this, Continue);
    if (!Continue) return std::nullopt;
    return ExecuteApp();
}

std::optional<platform::LaunchFailure> TActivApp::ExecuteApp() {
    // A path with blanks given to the command-line launch could start a
    // different program ("C:\PROGRAM.EXE" for "C:\PROGRAM FILES\..."): only
    // an existing file is started, as exactly that file, and a file that
    // went away meanwhile starts nothing.
    if (!launcher_.fileExists(exePath_)) return platform::LaunchFailure{0, "The file is not there any more."};
    return launcher_.runFile(launchOf(exePath_));
}

bool TActivApp::hook(fw::Message& message) {
    if (!launcher_.isActivationRequest(message)) return false;
    app_.restore();
    app_.bringToFront();
    return true;
}

}  // namespace control
