// FormTooltip: the tip window of one form. One tool covers the form's
// client area and asks for its text each time (the window-less control
// under the pointer says it); each native child has a tool of its own with
// its hint. The form hands the tip its mouse messages (relayed rather than
// taken by subclassing, which would look up a window property for every
// message, a round trip to the Wine server each) and its notices. Texts
// are UTF-16 both ways, whatever the form's own class is.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace win32 {

class FormTooltip {
public:
    // `currentHint` gives the text of the client-area tool when the tip asks.
    FormTooltip(HWND form, HINSTANCE instance, std::function<std::string()> currentHint);
    ~FormTooltip();
    FormTooltip(const FormTooltip&) = delete;
    FormTooltip& operator=(const FormTooltip&) = delete;

    void addToolFor(HWND child, const std::string& hint);
    void relay(HWND form, UINT msg, WPARAM wParam, LPARAM lParam);
    // The control under the pointer changed: the tip shown goes, and the
    // next comes after the usual delay with its own text.
    void restart();
    // The tip's notices to the form; true when one was answered.
    bool notice(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    HWND form_;     // not owned
    HWND tooltip_;  // owned
    std::function<std::string()> currentHint_;
    std::wstring shown_;  // the text handed out last, kept for the tip to read
};

}  // namespace win32
