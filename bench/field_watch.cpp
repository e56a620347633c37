// For bench/receive_latency.sh: watches the code field of a window (the
// setup dialog's one-line multi-line edit) and prints its text each time it
// changes to something not empty, one line each, flushed at once.
//   field_watch "Setup IR device"
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    HWND field = nullptr;
    std::string last;
    for (;;) {
        if (!field || !IsWindow(field)) {
            field = nullptr;
            if (HWND dialog = FindWindowA(nullptr, argv[1]))
                for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                    char cls[16] = {};
                    GetClassNameA(child, cls, sizeof cls);
                    if (lstrcmpiA(cls, "Edit") == 0 && (GetWindowLongA(child, GWL_STYLE) & ES_MULTILINE)) field = child;
                }
            if (!field) {
                Sleep(50);
                continue;
            }
        }
        char text[64] = {};
        SendMessageA(field, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        if (last != text) {
            last = text;
            if (!last.empty()) {
                std::printf("%s\n", text);
                std::fflush(stdout);
            }
        }
        Sleep(1);
    }
}
