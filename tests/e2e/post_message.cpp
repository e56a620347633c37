// Test helper: reaches a window of a running program by its caption.
//   post_message "Caption" MSG WPARAM LPARAM   posts the message
//   post_message "Caption" --send MSG WPARAM LPARAM   sends it and prints the reply
//   post_message "Caption" --query             prints "visible|hidden X Y W H"
//   post_message "Caption" --client            the same for the client area
//   post_message "Caption" --texts             each child window's text, one a line
//   post_message "Caption" --remove-icon       removes the window's notification icon, as a
//                                              shell that restarts loses it
//   post_message "Caption" --broadcast NAME    posts the registered message NAME to every
//                                              top-level window, as the shell does
// Exit status 1 when no window has that caption.
// Started with fewer arguments (as a program reached by mistake through a
// path with blanks would be), it leaves a mark in the file named by
// ZAV_DECOY_MARKER, so a test can tell that it ran.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

BOOL CALLBACK printText(HWND child, LPARAM) {
    // Asked of the window itself: edits keep their text where GetWindowText
    // cannot see it from another process.
    char text[512] = {};
    SendMessageA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    std::printf("%s\n", text);
    return TRUE;
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
    if (std::string_view(argv[2]) == "--texts") {
        EnumChildWindows(hwnd, printText, 0);
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
