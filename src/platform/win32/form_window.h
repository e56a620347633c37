// FormWindow: the top-level window behind a framework form. It paints the
// form through an off-screen buffer, turns mouse messages into the form's
// routing calls, keeps the capture and the pointer's leaving in one place,
// turns the user's close and cancel into the form's, and keeps its native
// child windows in tab order. Its tip (FormTooltip) and its frame and
// placement (form_geometry.h) are apart.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/form.h"
#include "framework/listeners.h"
#include "platform/win32/dpi_scale.h"
#include "platform/win32/form_tooltip.h"

namespace win32 {

class Win32Host;
class ChildWindow;

// Commands a form's window takes from the message loop: Ctrl+Tab and
// Ctrl+Shift+Tab, which the dialog keyboard would take as Tab.
constexpr WORD nextPageCommand = 0x7F01;
constexpr WORD previousPageCommand = 0x7F02;

class FormWindow : public fw::FormPeer {
public:
    FormWindow(Win32Host& host, fw::Form& form);
    ~FormWindow() override;

    // A window of ours with a caption: it gets the keyboard navigation of
    // dialogs.
    static bool isDialogForm(HWND hwnd);
    // The form window behind a window handle, or none when it is not one.
    static FormWindow* fromHandle(HWND hwnd);

    // Filters see each of the window's messages first, in the order they
    // were added: true takes the message, with `result`; a message let
    // through may have been rewritten for the filters after it and the
    // window. A filter stays until its subscription ends.
    using MessageFilter = std::function<bool(UINT& msg, WPARAM& wParam, LPARAM& lParam, LRESULT& result)>;
    [[nodiscard]] fw::Subscription addMessageFilter(MessageFilter filter);

    HWND hwnd() const { return hwnd_; }
    // How the form's layout maps to the screen: a dialog at the screen's
    // DPI, a borderless picture by whole multiples.
    DpiScale scale() const;
    // Child windows are kept in tab order.
    void adopt(ChildWindow& child);
    void forget(ChildWindow& child);
    void addToolFor(HWND child, const std::string& hint);
    const std::vector<ChildWindow*>& children() const { return children_; }

    fw::WindowHandle handle() const override { return reinterpret_cast<fw::WindowHandle>(hwnd_); }
    void setCaption(const std::string& caption) override;
    void setClientSize(fw::Size size) override;
    void centreOnScreen() override;
    void placeBottomRight(int margin) override;
    void setVisible(bool visible) override;
    bool isMinimized() const override;
    void setEnabled(bool enabled) override;
    void invalidate(const fw::Rect& area) override;
    void setCapture(bool capture) override;
    void hintChanged() override;
    void beginMove() override;
    void activate() override;

    LRESULT windowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void paint();
    void mouse(UINT msg, WPARAM wParam, LPARAM lParam);

    Win32Host& host_;
    fw::Form& form_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<FormTooltip> tooltip_;
    HBRUSH background_ = nullptr;
    fw::Color backgroundColor_ = 0;
    bool trackingLeave_ = false;
    std::vector<ChildWindow*> children_;  // not owned
    fw::Listeners<bool(UINT&, WPARAM&, LPARAM&, LRESULT&)> filters_;
};

}  // namespace win32
