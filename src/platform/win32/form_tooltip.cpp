#include "platform/win32/form_tooltip.h"

#include <commctrl.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/window_class.h"

namespace win32 {

FormTooltip::FormTooltip(HWND form, HINSTANCE instance, std::function<std::string()> currentHint)
    : form_(form), currentHint_(std::move(currentHint)) {
    tooltip_ = createWindow({.exStyle = WS_EX_TOPMOST,
                             .className = TOOLTIPS_CLASSA,
                             .style = WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                             .x = CW_USEDEFAULT,
                             .y = CW_USEDEFAULT,
                             .width = CW_USEDEFAULT,
                             .height = CW_USEDEFAULT,
                             .parent = form,
                             .instance = instance});
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = form_;
    ti.uId = reinterpret_cast<UINT_PTR>(form_);
    ti.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

FormTooltip::~FormTooltip() {
    if (tooltip_) DestroyWindow(tooltip_);
}

void FormTooltip::addToolFor(HWND child, const std::string& hint) {
    if (hint.empty()) return;
    // The tool keeps its own copy of the text.
    std::wstring text = widen(hint);
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = form_;
    ti.uId = reinterpret_cast<UINT_PTR>(child);
    ti.lpszText = text.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void FormTooltip::relay(HWND form, UINT msg, WPARAM wParam, LPARAM lParam) {
    MSG relayed{form, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void FormTooltip::restart() {
    SendMessageW(tooltip_, TTM_POP, 0, 0);
    SendMessageW(tooltip_, TTM_ACTIVATE, FALSE, 0);
    SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
}

bool FormTooltip::notice(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_NOTIFYFORMAT && reinterpret_cast<HWND>(wParam) == tooltip_) {
        result = NFR_UNICODE;
        return true;
    }
    if (msg != WM_NOTIFY) return false;
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr->hwndFrom != tooltip_ || hdr->code != TTN_GETDISPINFOW) return false;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    if (info->hdr.idFrom == reinterpret_cast<UINT_PTR>(form_)) {
        shown_ = widen(currentHint_ ? currentHint_() : std::string());
        info->lpszText = shown_.data();
    }
    result = 0;
    return true;
}

}  // namespace win32
