// What the framework needs from a window system. The Win32 host implements
// it with real windows; the headless host in the tests implements it in
// memory. Framework objects call their peer; hosts call back into the
// framework objects (paint, mouse, timers) and never decide anything.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/geometry.h"

namespace fw {

using WindowHandle = std::uintptr_t;

// One message taken from the GUI thread's queue, as the application-wide
// hook sees it.
struct Message {
    WindowHandle window = 0;
    unsigned msg = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

enum class MouseButton { left, right, middle };

struct MouseState {
    bool shift = false;
    bool ctrl = false;
    bool left = false;  // buttons held after the event
    bool right = false;
    bool middle = false;
    bool doubleClick = false;
    bool anyButton() const { return left || right || middle; }
};

enum class BorderStyle {
    none,     // borderless popup: the skinned main window
    dialog,   // fixed dialog frame without system menu
    overlay,  // borderless, above every window, shown without taking the
              // focus, with no taskbar button and no place in Alt+Tab: an
              // on-screen display
};

enum class MessageIcon { none, information, warning, error };

// One line of an open-file dialog's type list: what the user reads, and
// the file names it shows ("winamp.exe", "*.exe;*.com").
struct FileFilter {
    std::string description;
    std::string patterns;
};

class Application;
class Canvas;
class Form;
class WinControl;
class Timer;

class FormPeer {
public:
    virtual ~FormPeer() = default;
    virtual WindowHandle handle() const = 0;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void setClientSize(Size size) = 0;
    virtual void centreOnScreen() = 0;
    // In the bottom-right corner of the primary monitor's work area (the
    // screen less the taskbar), `margin` layout pixels from its edges.
    virtual void placeBottomRight(int margin) = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool isMinimized() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual void invalidate(const Rect& area) = 0;
    virtual void setCapture(bool capture) = 0;
    // The control under the pointer changed: the hint shown must follow.
    virtual void hintChanged() = 0;
    // Gives up the capture and lets the window system move the window with
    // the mouse until the button is released.
    virtual void beginMove() = 0;
    virtual void activate() = 0;
};

class ControlPeer {
public:
    virtual ~ControlPeer() = default;
    virtual WindowHandle handle() const = 0;
    virtual void setBounds(const Rect& bounds) = 0;
    virtual void setVisible(bool visible) = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual void setText(const std::string& text) = 0;
    virtual void setChecked(bool checked) = 0;
    virtual bool checked() const = 0;
    virtual void setItems(const std::vector<std::string>& items) = 0;
    virtual void setRange(int minimum, int maximum) = 0;
    virtual void setFocus() = 0;
    virtual void invalidate() = 0;
};

class Host {
public:
    virtual ~Host() = default;
    // The application served by this host, or none.
    virtual void attach(Application* app) = 0;
    // The title of the application's own (hidden) window, which owns the
    // forms: the window other programs find the application by.
    virtual void setApplicationTitle(const std::string& title) = 0;
    virtual std::unique_ptr<FormPeer> createFormPeer(Form& form) = 0;
    virtual std::unique_ptr<ControlPeer> createControlPeer(WinControl& control, FormPeer& parent) = 0;
    virtual void startTimer(Timer& timer, int intervalMs) = 0;
    virtual void stopTimer(Timer& timer) = 0;
    virtual void messageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                            MessageIcon icon) = 0;
    // A question with Yes and No, No the default; true for Yes.
    virtual bool askYesNo(WindowHandle owner, const std::string& text, const std::string& caption) = 0;
    // The system's open-file dialog, owned by `owner`, opened at `initial`
    // (a file or a folder; empty: where it last was). The file chosen, or
    // none when the user cancels.
    virtual std::optional<std::string> chooseFile(WindowHandle owner, const std::string& title,
                                                  const std::vector<FileFilter>& filters,
                                                  const std::string& initial) = 0;
    // Serves messages until `done` answers true or the loop is told to quit.
    virtual void runLoop(const std::function<bool()>& done) = 0;
    virtual void processMessages() = 0;
    // Thread-safe: work was posted for the GUI thread.
    virtual void wake() = 0;
    virtual void quit() = 0;
    virtual void minimizeApplication() = 0;
    virtual void restoreApplication() = 0;
    virtual void bringApplicationToFront() = 0;
    virtual std::optional<std::vector<std::uint8_t>> resource(const std::string& name) = 0;
    virtual std::string executablePath() = 0;
    // A millisecond count that only goes forward (and wraps at 2^32).
    virtual std::uint32_t tickCount() = 0;
};

}  // namespace fw
