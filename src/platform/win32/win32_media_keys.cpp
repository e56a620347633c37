#include "platform/win32/win32_media_keys.h"

#include <windows.h>

#include <optional>

namespace win32 {
namespace {

// A window in front that does not answer within this is hung, and has
// lost its say.
constexpr UINT answerMs = 200;

bool pressKey(WORD vk) {
    INPUT in[2]{};
    for (INPUT& i : in) {
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
        i.ki.dwExtraInfo = platform::ourInputMark;
    }
    in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    return SendInput(2, in, sizeof(INPUT)) == 2;
}

// The command given to the window in front, as its key would give it;
// none when there is no window in front to give it to.
std::optional<bool> appCommand(short command) {
    HWND front = GetForegroundWindow();
    if (!front) return std::nullopt;
    DWORD_PTR taken = 0;
    const LPARAM lParam = MAKELPARAM(0, static_cast<WORD>(command) | FAPPCOMMAND_KEY);
    // A hung window in front is not waited for: it has lost its say.
    return SendMessageTimeoutW(front, WM_APPCOMMAND, reinterpret_cast<WPARAM>(front), lParam,
                               SMTO_ABORTIFHUNG | SMTO_BLOCK, answerMs, &taken) != 0;
}

}  // namespace

bool Win32MediaKeys::send(platform::MediaKey key) {
    switch (key) {
        case platform::MediaKey::play:
        case platform::MediaKey::pause: {
            const auto given = appCommand(key == platform::MediaKey::play ? APPCOMMAND_MEDIA_PLAY : APPCOMMAND_MEDIA_PAUSE);
            return given ? *given : pressKey(VK_MEDIA_PLAY_PAUSE);
        }
        case platform::MediaKey::stop: return pressKey(VK_MEDIA_STOP);
        case platform::MediaKey::next: return pressKey(VK_MEDIA_NEXT_TRACK);
        case platform::MediaKey::previous: return pressKey(VK_MEDIA_PREV_TRACK);
    }
    return false;
}

}  // namespace win32
