#include "platform/win32/form_geometry.h"

namespace win32 {

DWORD styleFor(fw::BorderStyle style) {
    switch (style) {
        case fw::BorderStyle::none:
            return WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
        case fw::BorderStyle::dialog:
            // Not clipping its children, as the system's dialogs: a group
            // box paints only its frame and title, and the form's own
            // background shows inside it.
            return WS_POPUP | WS_CAPTION;
        case fw::BorderStyle::overlay:
            return WS_POPUP | WS_CLIPCHILDREN;
    }
    return WS_POPUP;
}

DWORD exStyleFor(fw::BorderStyle style) {
    switch (style) {
        case fw::BorderStyle::dialog:
            return WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
        case fw::BorderStyle::overlay:
            // Above the program in front, never its focus, in no task list.
            return WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
        case fw::BorderStyle::none:
            break;
    }
    return WS_EX_CONTROLPARENT;
}

void applyStyle(HWND hwnd, fw::BorderStyle style) {
    const DWORD wanted = styleFor(style);
    const auto current = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
    const DWORD kept = current & (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE);
    if ((current & ~kept) == wanted) return;
    SetWindowLongPtrA(hwnd, GWL_STYLE, static_cast<LONG_PTR>(wanted | kept));
    SetWindowLongPtrA(hwnd, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyleFor(style)));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void setClientSize(HWND hwnd, DpiScale scale, fw::Size client) {
    RECT r = scale.toScreen(fw::Rect::fromSize(0, 0, client.width, client.height));
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE)));
    SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

// The outer size the window will have.
SIZE outerSize(DpiScale scale, fw::Size client, fw::BorderStyle style) {
    RECT w = scale.toScreen(fw::Rect::fromSize(0, 0, client.width, client.height));
    AdjustWindowRectEx(&w, styleFor(style), FALSE, exStyleFor(style));
    return {w.right - w.left, w.bottom - w.top};
}

}  // namespace

void centreOnScreen(HWND hwnd, DpiScale scale, fw::Size client, fw::BorderStyle style) {
    const SIZE w = outerSize(scale, client, style);
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(hwnd, nullptr, (sw - w.cx) / 2, (sh - w.cy) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void placeBottomRight(HWND hwnd, DpiScale scale, fw::Size client, fw::BorderStyle style, int margin) {
    RECT work{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
        work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const SIZE w = outerSize(scale, client, style);
    const RECT m = scale.toScreen(fw::Rect::fromSize(0, 0, margin, margin));
    SetWindowPos(hwnd, nullptr, work.right - (m.right - m.left) - w.cx, work.bottom - (m.bottom - m.top) - w.cy, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace win32
