// The framework without windows: forms, child controls and timers live in
// memory. Tests press, move and release the mouse at client coordinates,
// fire timers, run posted work, answer modal forms and paint into a
// recording or raster canvas. Every input goes through the application's
// error guard, as the real host's window procedures do.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/timer.h"
#include "support/raster_canvas.h"
#include "support/recording_canvas.h"

namespace testing_support {

struct ShownMessageBox {
    fw::WindowHandle owner;
    std::string text;
    std::string caption;
    fw::MessageIcon icon;
};

class HeadlessHost : public fw::Host {
public:
    struct FormState;
    struct ControlState;

    HeadlessHost() = default;
    ~HeadlessHost() override;

    // What a form's window would be doing.
    FormState& state(const fw::Form& form);
    ControlState& state(const fw::WinControl& control);

    // Input, in the form's client coordinates.
    void press(fw::Form& form, fw::Point at, fw::MouseButton button = fw::MouseButton::left);
    void move(fw::Form& form, fw::Point at);
    void release(fw::Form& form, fw::Point at, fw::MouseButton button = fw::MouseButton::left);
    void click(fw::Form& form, fw::Point at);
    void leaveWindow(fw::Form& form);
    // A click on a native push button or check box.
    void clickControl(fw::WinControl& control);
    void typeText(fw::WinControl& control, const std::string& text);
    void focusLeaves(fw::WinControl& control);

    bool timerRunning(const fw::Timer& timer) const { return timers_.count(&timer) != 0; }
    int timerInterval(const fw::Timer& timer) const;
    void fireTimer(fw::Timer& timer);
    // Delivers a queued message the way the message loop does: the
    // application's hook first; true when the hook let it through.
    bool deliver(fw::Message message);
    void runPosted();

    // Called with the form each time a form is shown modally; it should do
    // what the user would, and close the form.
    std::function<void(fw::Form&)> onModal;
    std::function<void()> whileMessageBox;
    // The open-file dialogs shown, and what the user picks in them.
    struct ShownFileDialog {
        fw::WindowHandle owner;
        std::string title;
        std::vector<fw::FileFilter> filters;
        std::string initial;
    };
    std::vector<ShownFileDialog> fileDialogs;
    std::optional<std::string> chosenFile;

    RecordingCanvas record(fw::Form& form);
    RasterCanvas render(fw::Form& form);

    const std::vector<ShownMessageBox>& messageBoxes() const { return messageBoxes_; }
    void clearMessageBoxes() { messageBoxes_.clear(); }
    int wakeCount() const { return wakes_.load(); }

    // fw::Host
    // A new application starts with a loop nobody has told to quit yet.
    void attach(fw::Application* app) override {
        app_ = app;
        if (app) quitRequested_ = false;
    }
    void setApplicationTitle(const std::string& title) override { applicationTitle = title; }
    std::unique_ptr<fw::FormPeer> createFormPeer(fw::Form& form) override;
    std::unique_ptr<fw::ControlPeer> createControlPeer(fw::WinControl& control,
                                                       fw::FormPeer& parent) override;
    void startTimer(fw::Timer& timer, int intervalMs) override { timers_[&timer] = intervalMs; }
    void stopTimer(fw::Timer& timer) override { timers_.erase(&timer); }
    // As a real box does, an open box serves the work posted to the GUI
    // thread; what the user does meanwhile (whileMessageBox) comes between.
    void messageBox(fw::WindowHandle owner, const std::string& text, const std::string& caption,
                    fw::MessageIcon icon) override {
        messageBoxes_.push_back({owner, text, caption, icon});
        runPosted();
        if (whileMessageBox) whileMessageBox();
        runPosted();
    }
    // A question is answered as the test says, and kept with the boxes.
    bool answerYes = false;
    std::vector<std::string> questions;
    bool askYesNo(fw::WindowHandle, const std::string& text, const std::string&) override {
        questions.push_back(text);
        runPosted();
        if (whileMessageBox) whileMessageBox();
        runPosted();
        return answerYes;
    }
    std::optional<std::string> chooseFile(fw::WindowHandle owner, const std::string& title,
                                          const std::vector<fw::FileFilter>& filters,
                                          const std::string& initial) override {
        fileDialogs.push_back({owner, title, filters, initial});
        return chosenFile;
    }
    void runLoop(const std::function<bool()>& done) override;
    void processMessages() override { runPosted(); }
    void wake() override { ++wakes_; }
    void quit() override { quitRequested_ = true; }
    void minimizeApplication() override { ++minimizeCount_; }
    void restoreApplication() override { ++restoreCount_; }
    void bringApplicationToFront() override { ++bringToFrontCount_; }
    std::optional<std::vector<std::uint8_t>> resource(const std::string& name) override;
    std::string executablePath() override { return executablePath_; }
    std::uint32_t tickCount() override { return now; }

    std::map<std::string, std::vector<std::uint8_t>> resources;
    std::string executablePath_ = "/opt/zav/zav_amp.exe";
    // The clock the host reports; tests move it.
    std::atomic<std::uint32_t> now{1000};
    std::string applicationTitle;
    bool quitRequested_ = false;
    int minimizeCount_ = 0;
    int restoreCount_ = 0;
    int bringToFrontCount_ = 0;
    std::vector<fw::Message> dispatched;

private:
    void input(const std::function<void()>& work);

    fw::Application* app_ = nullptr;
    std::map<const fw::Timer*, int> timers_;
    std::map<const fw::Form*, FormState*> forms_;
    std::map<const fw::WinControl*, ControlState*> controls_;
    std::vector<ShownMessageBox> messageBoxes_;
    fw::MouseState buttons_;
    std::atomic<int> wakes_{0};
    fw::WindowHandle nextHandle_ = 0x100;
    friend struct FormState;
    friend struct ControlState;
};

struct HeadlessHost::FormState : fw::FormPeer {
    FormState(HeadlessHost& host, fw::Form& form, fw::WindowHandle handle)
        : host(host), form(form), handle_(handle) {}
    ~FormState() override { host.forms_.erase(&form); }
    fw::WindowHandle handle() const override { return handle_; }
    void setCaption(const std::string& c) override { caption = c; }
    void setClientSize(fw::Size s) override { clientSize = s; }
    void centreOnScreen() override { centred = true; }
    void placeBottomRight(int m) override { bottomRightMargin = m; }
    void setVisible(bool v) override { visible = v; }
    bool isMinimized() const override { return minimized; }
    void setEnabled(bool e) override { enabled = e; }
    void invalidate(const fw::Rect& area) override { invalidated.push_back(area); }
    void setCapture(bool c) override { captured = c; }
    void hintChanged() override { ++hintChanges; }
    void beginMove() override {
        captured = false;
        ++moves;
    }
    void activate() override { ++activations; }

    HeadlessHost& host;
    fw::Form& form;
    fw::WindowHandle handle_;
    std::string caption;
    fw::Size clientSize;
    bool centred = false;
    int bottomRightMargin = -1;  // placed in the work area's corner, this far in
    bool visible = false;
    bool minimized = false;
    bool enabled = true;
    bool captured = false;
    int hintChanges = 0;
    int moves = 0;
    int activations = 0;
    std::vector<fw::Rect> invalidated;
};

struct HeadlessHost::ControlState : fw::ControlPeer {
    ControlState(HeadlessHost& host, fw::WinControl& control, fw::WindowHandle handle)
        : host(host), control(control), handle_(handle) {}
    ~ControlState() override { host.controls_.erase(&control); }
    fw::WindowHandle handle() const override { return handle_; }
    void setBounds(const fw::Rect& b) override { bounds = b; }
    void setVisible(bool v) override { visible = v; }
    void setEnabled(bool e) override { enabled = e; }
    void setText(const std::string& t) override {
        textValue = t;
        ++textSets;
    }

    void setChecked(bool c) override { isChecked = c; }
    bool checked() const override { return isChecked; }
    void setItems(const std::vector<std::string>& i) override { items = i; }
    void setRange(int lo, int hi) override {
        minimum = lo;
        maximum = hi;
    }
    void setFocus() override { ++focusRequests; }
    void invalidate() override { ++invalidations; }

    HeadlessHost& host;
    fw::WinControl& control;
    fw::WindowHandle handle_;
    fw::Rect bounds;
    bool visible = true;
    bool enabled = true;
    std::string textValue;
    int textSets = 0;
    bool isChecked = false;
    std::vector<std::string> items;
    int minimum = 0;
    int maximum = 0;
    int focusRequests = 0;
    int invalidations = 0;
};

}  // namespace testing_support
