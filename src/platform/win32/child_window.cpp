#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "framework/std_controls.h"
#include "platform/win32/child_window.h"
#include "platform/win32/form_window.h"
#include "platform/win32/gdi_canvas.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/window_class.h"

namespace win32 {
namespace {

constexpr char customClass[] = "ZavAmpControl";
// A drop-down combo box's window also covers its opened list.
constexpr int comboListHeight = 200;

struct NativeKind {
    const char* windowClass;
    DWORD style;
    DWORD exStyle;
};

bool isDefaultButton(const fw::WinControl& c) {
    return c.kind() == fw::ControlKind::button && static_cast<const fw::Button&>(c).isDefault();
}

NativeKind nativeKind(const fw::WinControl& c) {
    switch (c.kind()) {
        case fw::ControlKind::label:
            return {"STATIC", SS_LEFT | SS_NOPREFIX, 0};
        case fw::ControlKind::edit:
            return {"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case fw::ControlKind::memo:
            return {"EDIT",
                    static_cast<DWORD>(ES_MULTILINE | ES_AUTOVSCROLL | WS_TABSTOP |
                                       (c.centred() ? ES_CENTER : 0)),
                    WS_EX_CLIENTEDGE};
        case fw::ControlKind::comboBox:
            return {"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0};
        case fw::ControlKind::dropDownList:
            return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
        case fw::ControlKind::listBox:
            return {"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case fw::ControlKind::tabs:
            return {WC_TABCONTROLA, WS_TABSTOP | WS_CLIPSIBLINGS, 0};
        case fw::ControlKind::checkBox:
            return {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
        case fw::ControlKind::button:
            return {"BUTTON", static_cast<DWORD>(WS_TABSTOP | (isDefaultButton(c) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)),
                    0};
        case fw::ControlKind::groupBox:
            return {"BUTTON", BS_GROUPBOX, 0};
        case fw::ControlKind::spinEdit:
            return {"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case fw::ControlKind::custom:
            return {customClass, 0, 0};
    }
    return {"STATIC", 0, 0};
}

int windowHeight(const fw::WinControl& c, int height, DpiScale scale) {
    const bool combo = c.kind() == fw::ControlKind::comboBox || c.kind() == fw::ControlKind::dropDownList;
    return combo ? height + scale.toScreen(comboListHeight) : height;
}

}  // namespace

ChildWindow::ChildWindow(Win32Host& host, fw::WinControl& control, FormWindow& parent)
    : host_(host), control_(control), parent_(parent) {
    const NativeKind kind = nativeKind(control);
    if (control.kind() == fw::ControlKind::custom) {
        WNDCLASSEXA wc = objectClass<ChildWindow>(host.instance(), customClass);
        wc.style = CS_DBLCLKS;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        registerClass(wc);
    }
    const RECT b = parent.scale().toScreen(control.bounds());
    DWORD style = WS_CHILD | kind.style;
    if (control.showing()) style |= WS_VISIBLE;
    if (!control.enabled()) style |= WS_DISABLED;
    const std::string text = control.text();
    // Only our own class serves this object; the system's classes get no
    // creation parameter.
    hwnd_ = createWindow({.exStyle = kind.exStyle,
                          .className = kind.windowClass,
                          .title = text.c_str(),
                          .style = style,
                          .x = b.left,
                          .y = b.top,
                          .width = b.right - b.left,
                          .height = windowHeight(control, b.bottom - b.top, parent.scale()),
                          .parent = parent.hwnd(),
                          // Enter in a form asks for its IDOK: the default button answers it.
                          .menu = isDefaultButton(control) ? reinterpret_cast<HMENU>(IDOK) : nullptr,
                          .instance = host.instance(),
                          .object = control.kind() == fw::ControlKind::custom ? this : nullptr});
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(host.dialogFont(control.bold(), parent.scale().dpi())),
                 FALSE);
    if (control.kind() == fw::ControlKind::label) fitLabel();
    if (control.kind() == fw::ControlKind::spinEdit) {
        arrows_ = createWindow({.className = UPDOWN_CLASSA,
                                .style = WS_CHILD | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS |
                                         UDS_NOTHOUSANDS | (control.showing() ? WS_VISIBLE : 0u),
                                .parent = parent.hwnd(),
                                .instance = host.instance()});
        SendMessageA(arrows_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd_), 0);
    }
    parent.adopt(*this);
    placeInTabOrder();
    parent.addToolFor(hwnd_, control.hint());
}

ChildWindow::~ChildWindow() {
    parent_.forget(*this);
    if (arrows_) DestroyWindow(arrows_);
    if (hwnd_) DestroyWindow(hwnd_);
}

// Labels size themselves to their text, as the dialog library's labels do,
// so a wider stand-in font does not cut them off. A label laid out for
// one line grows wider; one laid out for two lines or more keeps its width
// and wraps its text at its words, growing taller only if it must.
void ChildWindow::fitLabel() {
    const std::string t = text();
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, host_.dialogFont(control_.bold(), parent_.scale().dpi()));
    SIZE s{};
    const std::wstring w = widen(t);
    GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &s);
    const RECT b = parent_.scale().toScreen(control_.bounds());
    const int width = b.right - b.left, height = b.bottom - b.top;
    const bool wraps = s.cy > 0 && height >= 2 * s.cy;
    if (wraps) {
        RECT need{0, 0, width, 0};
        DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        s.cx = need.right;
        s.cy = need.bottom;
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    if (s.cx > width || s.cy > height)
        SetWindowPos(hwnd_, nullptr, 0, 0, std::max<int>(width, s.cx), std::max<int>(height, s.cy),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ChildWindow::placeInTabOrder() {
    // The window system tabs in z-order: go right after the sibling with
    // the greatest tab order below ours.
    if (control_.tabOrder() < 0) return;
    HWND after = HWND_TOP;
    int best = -1;
    for (ChildWindow* other : parent_.children())
        if (other != this && other->control_.tabOrder() >= 0 &&
            other->control_.tabOrder() < control_.tabOrder() && other->control_.tabOrder() > best) {
            best = other->control_.tabOrder();
            after = other->arrows_ ? other->arrows_ : other->hwnd_;
        }
    SetWindowPos(hwnd_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (arrows_) SetWindowPos(arrows_, hwnd_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool ChildWindow::command(HWND from, WORD code) {
    if (from != hwnd_ && from != arrows_) return false;
    switch (control_.kind()) {
        case fw::ControlKind::button:
        case fw::ControlKind::checkBox:
            if (code == BN_CLICKED) host_.guarded([&] { control_.peerClicked(); });
            break;
        case fw::ControlKind::spinEdit:
        case fw::ControlKind::edit:
        case fw::ControlKind::memo:
            // Typing, pasting and the spin edit's arrows all end in EN_CHANGE.
            if (code == EN_CHANGE) control_.peerTextChanged(text());
            if (code == EN_KILLFOCUS) host_.guarded([&] { control_.peerFocusLost(); });
            break;
        case fw::ControlKind::listBox:
            if (code == LBN_SELCHANGE) {
                control_.peerTextChanged(selectedItem());
                host_.guarded([&] { control_.peerClicked(); });
            }
            break;
        case fw::ControlKind::dropDownList:
        case fw::ControlKind::comboBox:
            if (code == CBN_EDITCHANGE) control_.peerTextChanged(text());
            // The edit field takes the chosen item's text only after this
            // notification: the item is read from the list.
            if (code == CBN_SELCHANGE) control_.peerTextChanged(selectedItem());
            if (code == CBN_KILLFOCUS) host_.guarded([&] { control_.peerFocusLost(); });
            break;
        default:
            break;
    }
    return true;
}

bool ChildWindow::notify(const NMHDR& header) {
    if (header.hwndFrom != hwnd_) return false;
    if (control_.kind() == fw::ControlKind::tabs && header.code == static_cast<UINT>(TCN_SELCHANGE)) {
        const LRESULT index = SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0);
        if (index >= 0 && static_cast<std::size_t>(index) < items_.size())
            control_.peerTextChanged(items_[static_cast<std::size_t>(index)]);
        host_.guarded([&] { control_.peerClicked(); });
    }
    return true;
}

void ChildWindow::setBounds(const fw::Rect& bounds) {
    const DpiScale scale = parent_.scale();
    const RECT b = scale.toScreen(bounds);
    MoveWindow(hwnd_, b.left, b.top, b.right - b.left, windowHeight(control_, b.bottom - b.top, scale), TRUE);
    if (arrows_) SendMessageA(arrows_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd_), 0);
}

void ChildWindow::setVisible(bool visible) {
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
    if (arrows_) ShowWindow(arrows_, visible ? SW_SHOW : SW_HIDE);
}

void ChildWindow::setEnabled(bool enabled) {
    EnableWindow(hwnd_, enabled ? TRUE : FALSE);
    if (arrows_) EnableWindow(arrows_, enabled ? TRUE : FALSE);
}

void ChildWindow::setText(const std::string& text) {
    if (control_.kind() == fw::ControlKind::tabs) {
        // The tabs' text is the chosen tab's title.
        const auto it = std::find(items_.begin(), items_.end(), text);
        if (it != items_.end()) SendMessageW(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(it - items_.begin()), 0);
        return;
    }
    if (control_.kind() == fw::ControlKind::listBox) {
        const std::wstring wide = widen(text);
        const LRESULT index = SendMessageW(hwnd_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(wide.c_str()));
        SendMessageW(hwnd_, LB_SETCURSEL, index == LB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(index), 0);
        return;
    }
    if (control_.kind() == fw::ControlKind::dropDownList) {
        // A list's text is its chosen item.
        const std::wstring wide = widen(text);
        const LRESULT index = SendMessageW(hwnd_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(wide.c_str()));
        SendMessageW(hwnd_, CB_SETCURSEL, index == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(index), 0);
        return;
    }
    SetWindowTextW(hwnd_, widen(text).c_str());
    if (control_.kind() == fw::ControlKind::label) fitLabel();
}

std::string ChildWindow::text() const {
    const int length = GetWindowTextLengthW(hwnd_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(hwnd_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return narrow(text);
}

std::string ChildWindow::selectedItem() const {
    if (control_.kind() == fw::ControlKind::listBox) {
        const LRESULT index = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
        if (index == LB_ERR) return {};
        const LRESULT length = SendMessageW(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length == LB_ERR) return {};
        std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.data()));
        item.resize(wcsnlen(item.c_str(), item.size()));
        return narrow(item);
    }
    const LRESULT index = SendMessageW(hwnd_, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return text();
    const LRESULT length = SendMessageW(hwnd_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return text();
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.data()));
    item.resize(wcsnlen(item.c_str(), item.size()));
    return narrow(item);
}

void ChildWindow::setChecked(bool checked) {
    SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool ChildWindow::checked() const {
    return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ChildWindow::setItems(const std::vector<std::string>& items) {
    if (control_.kind() == fw::ControlKind::tabs) {
        const LRESULT chosen = SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0);
        SendMessageW(hwnd_, TCM_DELETEALLITEMS, 0, 0);
        items_ = items;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            std::wstring title = widen(items_[i]);
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = title.data();
            SendMessageW(hwnd_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
        }
        if (chosen >= 0) SendMessageW(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(chosen), 0);
        return;
    }
    if (control_.kind() == fw::ControlKind::listBox) {
        const std::string shown = selectedItem();
        SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
        for (const auto& item : items)
            SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
        setText(shown);
        return;
    }
    const std::string shown = text();
    SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
    for (const auto& item : items)
        SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
    setText(shown);
}

void ChildWindow::setRange(int minimum, int maximum) {
    if (arrows_)
        SendMessageA(arrows_, UDM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
}

void ChildWindow::setFocus() {
    SetFocus(hwnd_);
}

void ChildWindow::invalidate() {
    InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT ChildWindow::windowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            {
                GdiCanvas canvas(dc, parent_.scale());
                host_.guarded([&] { control_.paint(canvas); });
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_LBUTTONUP:
            host_.guarded([&] { control_.peerClicked(); });
            return 0;
        default:
            break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace win32
