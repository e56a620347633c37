// Test helper: reaches a window of a running program by its caption.
//   post_message "Caption" MSG WPARAM LPARAM   posts the message
//   post_message "Caption" --send MSG WPARAM LPARAM   sends it and prints the reply
//   post_message "Caption" --query             prints "visible|hidden X Y W H"
//   post_message "Caption" --client            the same for the client area
//   post_message "Caption" --texts             each child window's text, one a line (UTF-8)
//   post_message "Caption" --field LABEL TEXT  types TEXT into the field that follows the
//                                              label LABEL (right of it or below it)
//   post_message "Caption" --layout            what is wrong with the children's layout, one
//                                              a line: two that overlap, a control reaching
//                                              out of the group box it lies in, a text cut
//                                              off; nothing when all is well
//   post_message "Caption" --remove-icon       removes the window's notification icon, as a
//                                              shell that restarts loses it
//   post_message "Caption" --front             brings the window in front; prints "front" when
//                                              it is, "behind" when the system kept another
//   post_message "Caption" --page              the title of the group box shown: on a
//                                              dialog of tabs, the page chosen
//   post_message "Caption" --broadcast NAME    posts the registered message NAME to every
//                                              top-level window, as the shell does
//   post_message "Caption" --answers MS        sends the window a message every 20 ms for MS ms
//                                              and prints the longest it took to answer, in ms
// Exit status 1 when no window has that caption.
// Started with fewer arguments (as a program reached by mistake through a
// path with blanks would be), it leaves a mark in the file named by
// ZAV_DECOY_MARKER, so a test can tell that it ran.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::wstring textOf(HWND child) {
    // Asked of the window itself: edits keep their text where GetWindowText
    // cannot see it from another process.
    wchar_t text[1024] = {};
    SendMessageW(child, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string utf8(const std::wstring& w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
    return out;
}

BOOL CALLBACK printText(HWND child, LPARAM) {
    std::printf("%s\n", utf8(textOf(child)).c_str());
    return TRUE;
}

struct Child {
    HWND hwnd;
    std::string cls;
    LONG style;
    RECT rect;  // in the parent's client area
};

struct Collecting {
    HWND parent;
    std::vector<Child> found;
};

// The window's own children only: a combo box's edit and the spin edit's
// arrows are parts of their control.
BOOL CALLBACK collect(HWND child, LPARAM into) {
    auto& collecting = *reinterpret_cast<Collecting*>(into);
    if (!IsWindowVisible(child) || GetParent(child) != collecting.parent) return TRUE;
    Child c{child, {}, GetWindowLongA(child, GWL_STYLE), {}};
    char cls[64] = {};
    GetClassNameA(child, cls, sizeof cls);
    c.cls = cls;
    if (c.cls == "msctls_updown32") return TRUE;
    GetWindowRect(child, &c.rect);
    MapWindowPoints(nullptr, collecting.parent, reinterpret_cast<POINT*>(&c.rect), 2);
    collecting.found.push_back(c);
    return TRUE;
}

std::vector<Child> children(HWND parent) {
    Collecting collecting{parent, {}};
    EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&collecting));
    return collecting.found;
}

bool isGroupBox(const Child& c) { return c.cls == "Button" && (c.style & 0x0F) == BS_GROUPBOX; }

bool overlap(const RECT& a, const RECT& b) {
    RECT r;
    return IntersectRect(&r, &a, &b) != FALSE;
}

bool inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string name(const Child& c) { return c.cls + " '" + utf8(textOf(c.hwnd)) + "'"; }

// The room a text needs in its control, in the control's own font.
std::string textFits(const Child& c) {
    const bool label = c.cls == "Static";
    const bool button = c.cls == "Button" && !isGroupBox(c);
    if (!label && !button) return {};
    const std::wstring text = textOf(c.hwnd);
    if (text.empty()) return {};
    // A font is the process's own: measured in the remote's dialog font made
    // here, bold (the wider of its two weights).
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    HFONT font = CreateFontA(-MulDiv(11, dpi, 96), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                             "MS Sans Serif");
    HGDIOBJ old = SelectObject(dc, font);
    const bool checkBox = (c.style & 0x0F) == BS_AUTOCHECKBOX || (c.style & 0x0F) == BS_CHECKBOX;
    // Less the check mark and its gap, or a push button's edges.
    const int width = c.rect.right - c.rect.left - (checkBox ? 16 * dpi / 96 : button ? 6 * dpi / 96 : 0);
    RECT need{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &need,
              DT_CALCRECT | (label ? DT_WORDBREAK : DT_SINGLELINE) | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    const int height = c.rect.bottom - c.rect.top;
    if (need.right <= width && need.bottom <= height) return {};
    return std::to_string(need.right) + "x" + std::to_string(need.bottom) + " in " + std::to_string(width) + "x" +
           std::to_string(height);
}

void printLayout(HWND parent) {
    const std::vector<Child> all = children(parent);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Child& a = all[i];
        if (isGroupBox(a)) continue;
        if (const std::string cut = textFits(a); !cut.empty())
            std::printf("cut %s: %s\n", name(a).c_str(), cut.c_str());
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            const Child& b = all[j];
            if (!isGroupBox(b) && overlap(a.rect, b.rect))
                std::printf("overlap %s | %s\n", name(a).c_str(), name(b).c_str());
        }
        for (const Child& g : all) {
            if (!isGroupBox(g) || !overlap(a.rect, g.rect)) continue;
            // Below the title on the box's top edge, clear of its frame.
            RECT room = g.rect;
            HDC screen = GetDC(nullptr);
            const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
            ReleaseDC(nullptr, screen);
            room.left += 2;
            room.right -= 2;
            room.bottom -= 2;
            room.top += 8 * dpi / 96;
            if (!inside(a.rect, room)) std::printf("out of %s: %s\n", name(g).c_str(), name(a).c_str());
        }
    }
}

// The edit or combo box nearest after the label: right of it on its line,
// or below it.
HWND fieldAfter(HWND parent, const std::wstring& label) {
    const std::vector<Child> all = children(parent);
    const Child* l = nullptr;
    for (const Child& c : all)
        if (c.cls == "Static" && textOf(c.hwnd) == label) l = &c;
    if (!l) return nullptr;
    HWND best = nullptr;
    long bestDistance = 0;
    for (const Child& c : all) {
        if (c.cls != "Edit" && c.cls != "ComboBox") continue;
        const bool right = c.rect.left >= l->rect.right - 2 && c.rect.top < l->rect.bottom && c.rect.bottom > l->rect.top;
        const bool below = c.rect.top >= l->rect.bottom - 2 && c.rect.left < l->rect.right;
        if (!right && !below) continue;
        const long d = (c.rect.left - l->rect.left) + (c.rect.top - l->rect.top);
        if (!best || d < bestDistance) {
            best = c.hwnd;
            bestDistance = d;
        }
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        if (const char* marker = std::getenv("ZAV_DECOY_MARKER"))
            if (FILE* f = std::fopen(marker, "w")) {
                std::fputs("ran\n", f);
                std::fclose(f);
            }
        std::fprintf(stderr, "usage: post_message CAPTION (MSG WPARAM LPARAM | --query)\n");
        return 2;
    }
    HWND hwnd = FindWindowA(nullptr, argv[1]);
    if (!hwnd) {
        std::printf("none\n");
        return 1;
    }
    if (std::string_view(argv[2]) == "--query" || std::string_view(argv[2]) == "--client") {
        RECT r{};
        GetWindowRect(hwnd, &r);
        if (std::string_view(argv[2]) == "--client") {
            GetClientRect(hwnd, &r);
            MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
        }
        std::printf("%s %ld %ld %ld %ld\n", IsWindowVisible(hwnd) ? "visible" : "hidden", r.left, r.top,
                    r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (std::string_view(argv[2]) == "--remove-icon") {
        NOTIFYICONDATAA nid{};
        nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
        nid.hWnd = hwnd;
        nid.uID = 0;
        return Shell_NotifyIconA(NIM_DELETE, &nid) ? 0 : 1;
    }
    if (std::string_view(argv[2]) == "--broadcast" && argc > 3) {
        const UINT message = RegisterWindowMessageA(argv[3]);
        return message && SendNotifyMessageA(HWND_BROADCAST, message, 0, 0) ? 0 : 1;
    }
    if (std::string_view(argv[2]) == "--front") {
        SetForegroundWindow(hwnd);
        std::printf("%s\n", GetForegroundWindow() == hwnd ? "front" : "behind");
        return 0;
    }
    if (std::string_view(argv[2]) == "--layout") {
        printLayout(hwnd);
        return 0;
    }
    if (std::string_view(argv[2]) == "--field" && argc > 4) {
        // The arguments as typed: the narrow ones hold only the system's
        // code page.
        int count = 0;
        LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
        if (!args || count < 5) return 2;
        HWND field = fieldAfter(hwnd, args[3]);
        const std::wstring text = args[4];
        LocalFree(args);
        if (!field) return 1;
        SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return 0;
    }
    if (std::string_view(argv[2]) == "--page") {
        for (const Child& c : children(hwnd))
            if (isGroupBox(c)) std::printf("%s\n", utf8(textOf(c.hwnd)).c_str());
        return 0;
    }
    if (std::string_view(argv[2]) == "--texts") {
        EnumChildWindows(hwnd, printText, 0);
        return 0;
    }
    if (std::string_view(argv[2]) == "--answers" && argc > 3) {
        LARGE_INTEGER frequency, start, sent, answered;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        const double span = std::strtod(argv[3], nullptr);
        double longest = 0;
        for (;;) {
            QueryPerformanceCounter(&sent);
            if (1000.0 * static_cast<double>(sent.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart) >= span) break;
            DWORD_PTR reply = 0;
            if (!SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &reply)) longest = 5000;
            QueryPerformanceCounter(&answered);
            const double took = 1000.0 * static_cast<double>(answered.QuadPart - sent.QuadPart) /
                                static_cast<double>(frequency.QuadPart);
            if (took > longest) longest = took;
            Sleep(20);
        }
        std::printf("%.0f\n", longest);
        return 0;
    }
    const bool send = std::string_view(argv[2]) == "--send";
    const int first = send ? 3 : 2;
    if (argc < first + 3) return 2;
    const auto msg = static_cast<UINT>(std::strtoul(argv[first], nullptr, 0));
    const auto wParam = static_cast<WPARAM>(std::strtoll(argv[first + 1], nullptr, 0));
    const auto lParam = static_cast<LPARAM>(std::strtoll(argv[first + 2], nullptr, 0));
    if (send) {
        DWORD_PTR reply = 0;
        if (!SendMessageTimeoutA(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &reply)) return 1;
        std::printf("%ld\n", static_cast<long>(static_cast<LONG>(reply)));
        return 0;
    }
    return PostMessageA(hwnd, msg, wParam, lParam) ? 0 : 1;
}
