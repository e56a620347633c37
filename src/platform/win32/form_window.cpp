#include <windows.h>

#include <windowsx.h>

#include "platform/win32/form_window.h"

#include "platform/win32/child_window.h"
#include "platform/win32/form_geometry.h"
#include "platform/win32/gdi_canvas.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/window_class.h"

namespace win32 {
namespace {

constexpr char formClass[] = "ZavAmpForm";

fw::MouseState mouseState(WPARAM wParam, bool doubleClick) {
    fw::MouseState s;
    s.shift = (wParam & MK_SHIFT) != 0;
    s.ctrl = (wParam & MK_CONTROL) != 0;
    s.left = (wParam & MK_LBUTTON) != 0;
    s.right = (wParam & MK_RBUTTON) != 0;
    s.middle = (wParam & MK_MBUTTON) != 0;
    s.doubleClick = doubleClick;
    return s;
}

}  // namespace

bool FormWindow::isDialogForm(HWND hwnd) {
    char name[32] = {};
    GetClassNameA(hwnd, name, sizeof(name));
    if (lstrcmpA(name, formClass) != 0) return false;
    return (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
}

FormWindow::FormWindow(Win32Host& host, fw::Form& form) : host_(host), form_(form) {
    WNDCLASSEXA wc = objectClass<FormWindow>(host.instance(), formClass);
    wc.style = CS_DBLCLKS;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconA(host.instance(), "MAINICON");
    registerClass(wc);
    hwnd_ = createWindow({.exStyle = exStyleFor(form.borderStyle()),
                          .className = formClass,
                          .style = styleFor(form.borderStyle()),
                          .x = CW_USEDEFAULT,
                          .y = CW_USEDEFAULT,
                          .width = 100,
                          .height = 100,
                          .parent = host.applicationWindow(),
                          .instance = host.instance(),
                          .object = this});
    tooltip_ = std::make_unique<FormTooltip>(hwnd_, host.instance(), [this] {
        std::string hint;
        host_.guarded([&] { hint = form_.currentHint(); });
        return hint;
    });
}

FormWindow::~FormWindow() {
    if (background_) DeleteObject(background_);
    tooltip_.reset();
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void FormWindow::addToolFor(HWND child, const std::string& hint) {
    tooltip_->addToolFor(child, hint);
}

void FormWindow::setCaption(const std::string& caption) {
    SetWindowTextA(hwnd_, caption.c_str());
}

DpiScale FormWindow::scale() const {
    return form_.borderStyle() == fw::BorderStyle::dialog ? DpiScale::forDialogs() : DpiScale::forPictures();
}

void FormWindow::setClientSize(fw::Size size) {
    applyStyle(hwnd_, form_.borderStyle());
    win32::setClientSize(hwnd_, scale(), size);
}

void FormWindow::centreOnScreen() {
    win32::centreOnScreen(hwnd_, scale(), form_.clientSize(), form_.borderStyle());
}

void FormWindow::placeBottomRight(int margin) {
    win32::placeBottomRight(hwnd_, scale(), form_.clientSize(), form_.borderStyle(), margin);
}

void FormWindow::setVisible(bool visible) {
    if (visible && form_.borderStyle() == fw::BorderStyle::overlay) {
        // Shown where it is, on top, in one step, and the window in front
        // keeps the focus and the keyboard. It paints when the queue is
        // next served: whatever showed it finishes first.
        SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        return;
    }
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
    if (visible) UpdateWindow(hwnd_);
}

bool FormWindow::isMinimized() const {
    return IsIconic(hwnd_) != FALSE;
}

void FormWindow::setEnabled(bool enabled) {
    EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void FormWindow::invalidate(const fw::Rect& area) {
    const RECT r = scale().touched(area);
    InvalidateRect(hwnd_, &r, FALSE);
}

void FormWindow::setCapture(bool capture) {
    if (capture)
        SetCapture(hwnd_);
    else if (GetCapture() == hwnd_)
        ReleaseCapture();
}

void FormWindow::hintChanged() {
    tooltip_->restart();
}

void FormWindow::beginMove() {
    ReleaseCapture();
    SendMessageA(hwnd_, WM_SYSCOMMAND, 0xF012, 0);
}

void FormWindow::activate() {
    SetForegroundWindow(hwnd_);
    SetActiveWindow(hwnd_);
}

void FormWindow::adopt(ChildWindow& child) {
    children_.push_back(&child);
}

void FormWindow::forget(ChildWindow& child) {
    std::erase(children_, &child);
}

void FormWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    GdiCanvas::paintArea(dc, ps.rcPaint, scale(), [&](fw::Canvas& canvas, const fw::Rect& area) {
        host_.guarded([&] { form_.paint(canvas, area); });
    });
    EndPaint(hwnd_, &ps);
}

void FormWindow::mouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    tooltip_->relay(hwnd_, msg, wParam, lParam);
    const fw::Point at = scale().toLayout(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    const bool dbl = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
    const fw::MouseState state = mouseState(wParam, dbl);
    host_.guarded([&] {
        switch (msg) {
            case WM_MOUSEMOVE:
                if (!trackingLeave_) {
                    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, hwnd_, 0};
                    trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
                }
                form_.mouseMove(state, at);
                break;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
                form_.mouseDown(fw::MouseButton::left, state, at);
                break;
            case WM_RBUTTONDOWN:
            case WM_RBUTTONDBLCLK:
                form_.mouseDown(fw::MouseButton::right, state, at);
                break;
            case WM_MBUTTONDOWN:
            case WM_MBUTTONDBLCLK:
                form_.mouseDown(fw::MouseButton::middle, state, at);
                break;
            case WM_LBUTTONUP:
                form_.mouseUp(fw::MouseButton::left, state, at);
                break;
            case WM_RBUTTONUP:
                form_.mouseUp(fw::MouseButton::right, state, at);
                break;
            case WM_MBUTTONUP:
                form_.mouseUp(fw::MouseButton::middle, state, at);
                break;
            default:
                break;
        }
    });
}

FormWindow* FormWindow::fromHandle(HWND hwnd) {
    if (GetWindowLongPtrA(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&objectProcedure<FormWindow>))
        return nullptr;
    return reinterpret_cast<FormWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

fw::Subscription FormWindow::addMessageFilter(MessageFilter filter) { return filters_.add(std::move(filter)); }

LRESULT FormWindow::windowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Messages arrive while the window is being made, before
    // CreateWindowEx has returned its handle.
    if (!hwnd_) hwnd_ = hwnd;
    if (!filters_.empty()) {
        LRESULT result = 0;
        if (filters_(msg, wParam, lParam, result)) return result;
    }
    if (LRESULT answer = 0; tooltip_ && tooltip_->notice(msg, wParam, lParam, answer)) return answer;
    switch (msg) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_MBUTTONUP:
            mouse(msg, wParam, lParam);
            return 0;
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            host_.guarded([&] { form_.mouseLeftWindow(); });
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd_) host_.guarded([&] { form_.captureLost(); });
            return 0;
        case WM_SYSCOMMAND:
            // Alt+F4 and the window menu's Close: the user leaves this
            // window (a modal dialog is cancelled), before the system turns
            // it into a close.
            if ((wParam & 0xFFF0) == SC_CLOSE) {
                host_.guarded([&] { form_.closeAsked(); });
                return 0;
            }
            break;
        case WM_CLOSE:
            // A close from outside (the task manager, taskkill): the
            // program's own closing calls the form, and the user's comes
            // as SC_CLOSE above. Any of our windows asked to close ends the
            // program, the hidden ones included.
            host_.guarded([&] { fw::Application::of(&form_).end(); });
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            // Labels, frames and check boxes stand on the form's colour.
            if (!background_ || backgroundColor_ != form_.color()) {
                if (background_) DeleteObject(background_);
                backgroundColor_ = form_.color();
                background_ = CreateSolidBrush(backgroundColor_);
            }
            SetBkColor(reinterpret_cast<HDC>(wParam), backgroundColor_);
            return reinterpret_cast<LRESULT>(background_);
        }
        case WM_PRINTCLIENT: {
            RECT r;
            GetClientRect(hwnd_, &r);
            GdiCanvas canvas(reinterpret_cast<HDC>(wParam), scale());
            host_.guarded([&] { form_.paint(canvas, scale().covering(r)); });
            return 0;
        }
        case WM_COMMAND:
            if (lParam) {
                for (ChildWindow* child : children_)
                    if (child->command(reinterpret_cast<HWND>(lParam), HIWORD(wParam))) break;
            } else if (LOWORD(wParam) == IDCANCEL) {
                // Esc, as the dialog keyboard turns it into a command.
                host_.guarded([&] { form_.cancelAsked(); });
            } else if (LOWORD(wParam) == nextPageCommand || LOWORD(wParam) == previousPageCommand) {
                host_.guarded([&] { form_.pageAsked(LOWORD(wParam) == nextPageCommand ? 1 : -1); });
            }
            return 0;
        case WM_NOTIFY:
            if (lParam)
                for (ChildWindow* child : children_)
                    if (child->notify(*reinterpret_cast<const NMHDR*>(lParam))) break;
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

}  // namespace win32
