// The windows behind the framework's forms and windowed controls.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/control.h"
#include "framework/form.h"

namespace win32 {

class Win32Host;
class ChildWindow;

void registerWindowClasses(HINSTANCE instance);
bool isDialogForm(HWND hwnd);

class FormWindow : public fw::FormPeer {
public:
    FormWindow(Win32Host& host, fw::Form& form);
    ~FormWindow() override;

    HWND hwnd() const { return hwnd_; }
    fw::Form& form() const { return form_; }
    Win32Host& host() const { return host_; }
    // Child windows are kept in tab order.
    void adopt(ChildWindow& child);
    void forget(ChildWindow& child);
    void addToolFor(HWND child, const std::string& hint);
    const std::vector<ChildWindow*>& children() const { return children_; }

    fw::WindowHandle handle() const override { return reinterpret_cast<fw::WindowHandle>(hwnd_); }
    void setCaption(const std::string& caption) override;
    void setClientSize(fw::Size size) override;
    void centreOnScreen() override;
    void setVisible(bool visible) override;
    bool isMinimized() const override;
    void setEnabled(bool enabled) override;
    void invalidate(const fw::Rect& area) override;
    void setCapture(bool capture) override;
    void hintChanged() override;
    void beginMove() override;
    void activate() override;

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void paint();
    void mouse(UINT msg, WPARAM wParam, LPARAM lParam);
    void applyStyle();

    Win32Host& host_;
    fw::Form& form_;
    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    HBRUSH background_ = nullptr;
    fw::Color backgroundColor_ = 0;
    bool trackingLeave_ = false;
    std::vector<ChildWindow*> children_;
    std::string hintText_;
};

// A native child window (or, for the spin edit, an edit and its arrows).
class ChildWindow : public fw::ControlPeer {
public:
    ChildWindow(Win32Host& host, fw::WinControl& control, FormWindow& parent);
    ~ChildWindow() override;

    HWND hwnd() const { return hwnd_; }
    fw::WinControl& control() const { return control_; }
    // A notification (WM_COMMAND) from one of our windows; false when the
    // window is not ours.
    bool command(HWND from, WORD code);

    fw::WindowHandle handle() const override { return reinterpret_cast<fw::WindowHandle>(hwnd_); }
    void setBounds(const fw::Rect& bounds) override;
    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;
    void setText(const std::string& text) override;
    std::string text() const override;
    void setChecked(bool checked) override;
    bool checked() const override;
    void setItems(const std::vector<std::string>& items) override;
    void setRange(int minimum, int maximum) override;
    void setFocus() override;
    void invalidate() override;

    static LRESULT CALLBACK customProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void placeInTabOrder();
    void fitLabel();

    Win32Host& host_;
    fw::WinControl& control_;
    FormWindow& parent_;
    HWND hwnd_ = nullptr;
    HWND arrows_ = nullptr;
};

std::unique_ptr<fw::FormPeer> makeFormWindow(Win32Host& host, fw::Form& form);
std::unique_ptr<fw::ControlPeer> makeChildWindow(Win32Host& host, fw::WinControl& control, FormWindow& parent);

}  // namespace win32
