// ChildWindow: the native child window behind a windowed control (for the
// spin edit, an edit and its arrows). It reports what the user did to the
// control and takes the control's state to the window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/control.h"

namespace win32 {

class Win32Host;
class FormWindow;

class ChildWindow : public fw::ControlPeer {
public:
    ChildWindow(Win32Host& host, fw::WinControl& control, FormWindow& parent);
    ~ChildWindow() override;

    HWND hwnd() const { return hwnd_; }
    fw::WinControl& control() const { return control_; }
    // A notification (WM_COMMAND) from one of our windows; false when the
    // window is not ours.
    bool command(HWND from, WORD code);
    // A notification from a common control: true when it came from this
    // window.
    bool notify(const NMHDR& header);

    fw::WindowHandle handle() const override { return reinterpret_cast<fw::WindowHandle>(hwnd_); }
    void setBounds(const fw::Rect& bounds) override;
    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;
    void setText(const std::string& text) override;
    std::string text() const;
    void setChecked(bool checked) override;
    bool checked() const override;
    void setItems(const std::vector<std::string>& items) override;
    void setRange(int minimum, int maximum) override;
    void setFocus() override;
    void invalidate() override;

    // Messages of a custom-drawn control's window.
    LRESULT windowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    std::string selectedItem() const;
    void placeInTabOrder();
    void fitLabel();

    Win32Host& host_;
    fw::WinControl& control_;
    FormWindow& parent_;
    HWND hwnd_ = nullptr;
    HWND arrows_ = nullptr;
    // The tabs' titles, in order: the tab control tells only positions.
    std::vector<std::string> items_;
};

}  // namespace win32
