// A stand-in for the Winamp player: a window of class "Winamp v1.x" that
// answers the remote's requests from a simulated play list and acts on its
// commands, shows its state, and can log every message it is sent.
//
//   standin_player.exe [--log FILE [--log-times]] [--tracks N] [--track-seconds S]
//                      [--start-track N] [--start-ms MS] [--paused | --playing]
//                      [--volume N] [--title TEXT] [--behave foobar2000]
//                      [--class NAME] [--hang-after-ms N [--hang-for-ms M]]
//
// --title names every track "TEXT N" (N its one-based number); the title
// of the index asked for is answered as an address in the stand-in's
// memory (212, and 213 for the wide one), as Winamp answers it, and 124
// answers the list's length. --behave foobar2000 answers as
// foobar2000's Winamp bridge does: version 0x2080, its 125 always 0, 40046
// only pauses, 40144 / 40148 go to the first / last track, 40154 / 40158
// seek 5 s, 40022 / 40023 do nothing, and 252 / 253 read the new value from
// lParam (the request's own number: they only ever switch on); no 213.
// Request 9999 answers the real play-list position whatever the mode, for
// tests. --class gives the window another class: a program that is no
// player at all, which only logs the keys it gets, captioned by its class.
//
// --hang-after-ms makes it stop handling messages N ms after it starts, as a
// hung player does: its window stays, and what is sent to it waits. With
// --hang-for-ms it comes back after M ms and handles what waited; without,
// it never does.
//
// Log lines are "<message> <wParam> <lParam>" in decimal, one per message
// (WM_NULL, WM_COMMAND and WM_USER only), flushed at once; the keys it gets
// while in front are logged as "key <virtual key>" for each WM_KEYDOWN or
// WM_SYSKEYDOWN (repeats too) and "appcommand <command>" for WM_APPCOMMAND.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr UINT WM_USER_ = WM_USER;
constexpr UINT_PTR refreshTimer = 1;
constexpr UINT_PTR hangTimer = 2;
int hangForMs = -1;  // negative: for good
bool foobar = false;
const char* titleBase = "Stand-in track";
char titleText[600];
wchar_t titleWide[600];

struct Player {
    int tracks = 12;
    int trackMs = 180000;
    int listPosition = 0;
    int status = 0;  // 0 stopped, 1 playing, 3 paused
    int positionMs = 0;
    DWORD playingSince = 0;
    bool shuffle = false;
    bool repeat = false;
    int volume = 200;  // the output volume, 0..255
    FILE* log = nullptr;

    int position() const {
        if (status != 1) return positionMs;
        return positionMs + static_cast<int>(GetTickCount() - playingSince);
    }
    void holdPosition(int ms) {
        positionMs = ms < 0 ? 0 : ms;
        playingSince = GetTickCount();
    }
    void moveTo(int index) {
        listPosition = (index % tracks + tracks) % tracks;
        holdPosition(0);
    }
    void advanceAtTrackEnd() {
        if (status == 1 && position() >= trackMs) {
            if (listPosition + 1 < tracks || repeat)
                moveTo(listPosition + 1);
            else {
                status = 0;
                holdPosition(0);
            }
        }
    }
} player;

// With --log-times each line begins with the milliseconds since the start,
// for a benchmark to see the remote's bursts of messages.
bool logTimes = false;
LARGE_INTEGER startedAt, ticksPerSecond;

void logMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!player.log) return;
    if (logTimes) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        std::fprintf(player.log, "%.3f ",
                     1000.0 * static_cast<double>(now.QuadPart - startedAt.QuadPart) /
                         static_cast<double>(ticksPerSecond.QuadPart));
    }
    std::fprintf(player.log, "%u %ld %ld\n", msg, static_cast<long>(static_cast<LONG>(wParam)),
                 static_cast<long>(lParam));
    std::fflush(player.log);
}

LRESULT command(HWND hwnd, int id) {
    switch (id) {
        case 40045:  // play: from the start, or on from a pause
            if (player.status == 3) {
                player.holdPosition(player.positionMs);
            } else {
                player.holdPosition(0);
            }
            player.status = 1;
            break;
        case 40046:  // pause, and again to go on (the bridge: pause only)
            if (player.status == 1) {
                player.positionMs = player.position();
                player.status = 3;
            } else if (player.status == 3 && !foobar) {
                player.holdPosition(player.positionMs);
                player.status = 1;
            }
            break;
        case 40047:
            player.status = 0;
            player.holdPosition(0);
            break;
        case 40044: player.moveTo(player.listPosition - 1); break;
        case 40048: player.moveTo(player.listPosition + 1); break;
        case 40144:
            if (foobar) player.moveTo(0);
            else player.holdPosition(player.position() - 5000);
            break;
        case 40148:
            if (foobar) player.moveTo(player.tracks - 1);
            else player.holdPosition(player.position() + 5000);
            break;
        case 40154:
            if (foobar) player.holdPosition(player.position() - 5000);
            break;
        case 40158:
            if (foobar) player.holdPosition(player.position() + 5000);
            break;
        case 40022:
            if (!foobar) player.repeat = !player.repeat;
            break;
        case 40023:
            if (!foobar) player.shuffle = !player.shuffle;
            break;
        case 40001: DestroyWindow(hwnd); return 0;
        default: break;
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

LRESULT request(HWND hwnd, WPARAM wParam, LPARAM code) {
    switch (code) {
        case 104: return player.status;
        case 105: return wParam == 0 ? player.position() : player.trackMs / 1000;
        case 0: return foobar ? 0x2080 : 0x5090;  // IPC_GETVERSION
        case 124: return player.tracks;  // the list's length: the bridge answers it too
        case 125: return foobar ? 0 : player.listPosition;
        case 9999: return player.listPosition;
        case 212:
        case 213: {
            // By the index asked for, as Winamp and the bridge answer it;
            // none outside the list.
            const auto index = static_cast<int>(static_cast<LONG>(wParam));
            if ((code == 213 && foobar) || index < 0 || index >= player.tracks) return 0;
            std::snprintf(titleText, sizeof titleText, "%s %d", titleBase, index + 1);
            MultiByteToWideChar(CP_ACP, 0, titleText, -1, titleWide, 600);
            return code == 212 ? reinterpret_cast<LRESULT>(titleText) : reinterpret_cast<LRESULT>(titleWide);
        }
        case 252:
        case 253: {
            // The bridge reads lParam, the request's own number; Winamp wParam.
            const bool on = foobar ? code != 0 : wParam != 0;
            (code == 252 ? player.shuffle : player.repeat) = on;
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        }
        case 121: {
            const auto index = static_cast<int>(static_cast<LONG>(wParam));
            if (index >= 0 && index < player.tracks) player.moveTo(index);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        }
        case 122: {
            // -666 asks; anything else sets, held to the player's range.
            const auto level = static_cast<int>(static_cast<LONG>(wParam));
            if (level == -666) return player.volume;
            player.volume = std::clamp(level, 0, 255);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        }
        case 250: return player.shuffle ? 1 : 0;
        case 251: return player.repeat ? 1 : 0;
        default: return 0;
    }
}

void paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    const int s = player.position() / 1000;
    char line[160];
    const char* state = player.status == 1 ? "Playing" : player.status == 3 ? "Paused" : "Stopped";
    std::snprintf(line, sizeof line, "Track %d/%d   %02d:%02d   %s   Shuffle %s   Repeat %s   Volume %d",
                  player.listPosition + 1, player.tracks, s / 60, s % 60, state, player.shuffle ? "on" : "off",
                  player.repeat ? "on" : "off", player.volume);
    RECT r;
    GetClientRect(hwnd, &r);
    DrawTextA(dc, line, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NULL: logMessage(msg, wParam, lParam); return 0;
        case WM_COMMAND: logMessage(msg, wParam, lParam); return command(hwnd, LOWORD(wParam));
        case WM_USER_: logMessage(msg, wParam, lParam); return request(hwnd, wParam, lParam);
        case WM_TIMER:
            if (wParam == hangTimer) {
                KillTimer(hwnd, hangTimer);
                // Not handling messages is the whole point: the thread sleeps
                // inside its window procedure.
                if (hangForMs < 0)
                    for (;;) Sleep(INFINITE);
                Sleep(static_cast<DWORD>(hangForMs));
                return 0;
            }
            player.advanceAtTrackEnd();
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (player.log) {
                std::fprintf(player.log, "key %u\n", static_cast<unsigned>(wParam));
                std::fflush(player.log);
            }
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        case WM_APPCOMMAND:
            if (player.log) {
                std::fprintf(player.log, "appcommand %d\n", GET_APPCOMMAND_LPARAM(lParam));
                std::fflush(player.log);
            }
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        case WM_PAINT: paint(hwnd); return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    int hangAfterMs = -1;
    const char* windowClass = "Winamp v1.x";
    for (int i = 1; i < __argc; ++i) {
        const char* a = __argv[i];
        const char* next = i + 1 < __argc ? __argv[i + 1] : nullptr;
        if (!std::strcmp(a, "--log") && next) {
            player.log = std::fopen(next, "a");
            ++i;
        } else if (!std::strcmp(a, "--log-times")) {
            logTimes = true;
            QueryPerformanceFrequency(&ticksPerSecond);
            QueryPerformanceCounter(&startedAt);
        } else if (!std::strcmp(a, "--tracks") && next) {
            player.tracks = std::max(1, std::atoi(next));
            ++i;
        } else if (!std::strcmp(a, "--track-seconds") && next) {
            player.trackMs = std::max(1, std::atoi(next)) * 1000;
            ++i;
        } else if (!std::strcmp(a, "--start-track") && next) {
            player.listPosition = std::max(1, std::atoi(next)) - 1;
            ++i;
        } else if (!std::strcmp(a, "--start-ms") && next) {
            player.holdPosition(std::atoi(next));
            ++i;
        } else if (!std::strcmp(a, "--hang-after-ms") && next) {
            hangAfterMs = std::max(0, std::atoi(next));
            ++i;
        } else if (!std::strcmp(a, "--hang-for-ms") && next) {
            hangForMs = std::max(0, std::atoi(next));
            ++i;
        } else if (!std::strcmp(a, "--volume") && next) {
            player.volume = std::clamp(std::atoi(next), 0, 255);
            ++i;
        } else if (!std::strcmp(a, "--title") && next) {
            titleBase = next;
            ++i;
        } else if (!std::strcmp(a, "--behave") && next) {
            foobar = !std::strcmp(next, "foobar2000");
            ++i;
        } else if (!std::strcmp(a, "--class") && next) {
            windowClass = next;
            ++i;
        } else if (!std::strcmp(a, "--paused")) {
            player.status = 3;
        } else if (!std::strcmp(a, "--playing")) {
            player.status = 1;
            player.holdPosition(player.positionMs);
        }
    }
    WNDCLASSA wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = windowClass;
    RegisterClassA(&wc);
    const bool isPlayer = !std::strcmp(windowClass, "Winamp v1.x");
    HWND hwnd = CreateWindowA(windowClass, isPlayer ? "Winamp stand-in" : windowClass, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                              20, 20, 520, 90, nullptr, nullptr, instance, nullptr);
    ShowWindow(hwnd, show);
    SetTimer(hwnd, refreshTimer, 250, nullptr);
    if (hangAfterMs >= 0) SetTimer(hwnd, hangTimer, static_cast<UINT>(hangAfterMs), nullptr);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    if (player.log) std::fclose(player.log);
    return 0;
}
