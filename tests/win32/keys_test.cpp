// The keys the system hears, on the system itself: the listening thread's
// window gets a key sent with SendInput while another window is in front,
// the hook takes it from that window when the listener says it is the
// remote's and tells the modifiers the system holds, listening anew starts
// the listener afresh, and once stopped the listening lets it go: the
// window in front gets it and the listener hears nothing more. The media
// commands sent for other players reach the window in front as play and
// pause, never as the play/pause key. A HID input's reports are checked
// against its size without a product that wraps in the 32-bit build.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/win32/win32_keys.h"
#include "platform/win32/win32_media_keys.h"

namespace {

constexpr unsigned playPause = VK_MEDIA_PLAY_PAUSE;

class Heard : public platform::KeyListener {
public:
    bool key(const platform::KeyStroke& stroke, std::uint32_t) override {
        std::lock_guard lock(mutex_);
        strokes_.push_back(stroke);
        return stroke.vk == playPause;
    }
    void hidReport(std::uintptr_t, const platform::HidParser&, const std::vector<unsigned char>&,
                   const std::vector<unsigned char>&, std::uint32_t) override {}
    void deviceGone(std::uintptr_t) override {}
    void afresh() override { ++afreshes; }
    std::atomic<int> afreshes{0};
    void tick(std::uint32_t) override {}
    bool wantsTicks() const override { return false; }
    int of(unsigned vk, platform::KeyWay way) {
        std::lock_guard lock(mutex_);
        int n = 0;
        for (const auto& s : strokes_) n += s.vk == vk && s.way == way && s.down;
        return n;
    }
    // The modifiers the system held with the hook's last down of `vk`.
    std::optional<unsigned> modifiersWith(unsigned vk) {
        std::lock_guard lock(mutex_);
        std::optional<unsigned> found;
        for (const auto& s : strokes_)
            if (s.vk == vk && s.way == platform::KeyWay::hook && s.down) found = s.systemModifiers;
        return found;
    }
    int all() {
        std::lock_guard lock(mutex_);
        return static_cast<int>(strokes_.size());
    }

private:
    std::mutex mutex_;
    std::vector<platform::KeyStroke> strokes_;
};

// A window of the test's own in front, counting the key downs and the
// application commands it gets.
int frontKeys = 0;
std::vector<int> frontCommands;
LRESULT CALLBACK frontProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN && wParam == playPause) ++frontKeys;
    if (msg == WM_APPCOMMAND) {
        frontCommands.push_back(GET_APPCOMMAND_LPARAM(lParam));
        return TRUE;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void key(unsigned vk, bool down) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = static_cast<WORD>(vk);
    in.ki.dwFlags = KEYEVENTF_EXTENDEDKEY | (down ? 0 : KEYEVENTF_KEYUP);
    SendInput(1, &in, sizeof(INPUT));
}

void send(unsigned vk) {
    key(vk, true);
    key(vk, false);
}

template <class Done>
bool serveUntil(Done done, int ms = 3000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

TEST(Keys, AreHeardBehindTheWindowInFrontAndLetGoWhenStopped) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = frontProcedure;
    wc.hInstance = instance;
    wc.lpszClassName = L"ZavKeysFront";
    RegisterClassW(&wc);
    const HWND front = CreateWindowW(L"ZavKeysFront", L"In front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 200,
                                     100, nullptr, nullptr, instance, nullptr);
    ASSERT_NE(front, nullptr);
    SetForegroundWindow(front);
    SetFocus(front);
    ASSERT_TRUE(serveUntil([&] { return GetForegroundWindow() == front; }));

    Heard heard;
    win32::Win32Keys keys(instance);
    std::string error;
    ASSERT_TRUE(keys.start(heard, error)) << error;
    send(playPause);
    EXPECT_TRUE(serveUntil([&] { return heard.of(playPause, platform::KeyWay::keyboard) >= 1; }))
        << "the raw input of the key, behind the window in front";
    EXPECT_TRUE(serveUntil([&] { return heard.of(playPause, platform::KeyWay::hook) >= 1; })) << "and the hook's";
    serveUntil([] { return false; }, 300);
    EXPECT_EQ(frontKeys, 0) << "taken from the window in front";

    key(VK_LCONTROL, true);
    send(VK_F13);
    key(VK_LCONTROL, false);
    EXPECT_TRUE(serveUntil([&] { return heard.modifiersWith(VK_F13).has_value(); }));
    EXPECT_EQ(heard.modifiersWith(VK_F13).value_or(0), unsigned{platform::ctrl}) << "the system's own Ctrl, with the key";

    keys.listenAgain();  // as after sleep: still heard, once, and afresh
    EXPECT_TRUE(serveUntil([&] { return heard.afreshes == 1; }));
    const int before = heard.of(playPause, platform::KeyWay::keyboard);
    send(playPause);
    EXPECT_TRUE(serveUntil([&] { return heard.of(playPause, platform::KeyWay::keyboard) == before + 1; }));

    keys.stop();
    const int all = heard.all();
    send(playPause);
    EXPECT_TRUE(serveUntil([&] { return frontKeys == 1; })) << "let go: the window in front gets it";
    EXPECT_EQ(heard.all(), all) << "and the listener hears nothing more";

    // PLAY and PAUSE for a player with no Winamp window: its own commands,
    // as the window in front gets them from a key, never the toggle.
    win32::Win32MediaKeys mediaKeys;
    const int keysBefore = frontKeys;
    frontCommands.clear();
    EXPECT_TRUE(mediaKeys.send(platform::MediaKey::play));
    EXPECT_TRUE(mediaKeys.send(platform::MediaKey::pause));
    serveUntil([] { return false; }, 300);
    EXPECT_EQ(frontCommands, (std::vector<int>{APPCOMMAND_MEDIA_PLAY, APPCOMMAND_MEDIA_PAUSE}));
    EXPECT_EQ(frontKeys, keysBefore) << "no play/pause key went out";
    DestroyWindow(front);
}

TEST(Keys, AStopIsHeardWhateverTheListeningThreadsQueueHolds) {
    Heard heard;
    win32::Win32Keys keys(GetModuleHandleW(nullptr));
    std::string error;
    ASSERT_TRUE(keys.start(heard, error)) << error;
    // The listening window takes its messages from that thread's queue;
    // flooded, a stop or a listening anew must still reach the thread.
    const HWND listening = FindWindowA("ZavAmpKeys", nullptr);
    ASSERT_NE(listening, nullptr);
    for (int i = 0; i < 20000; ++i)
        if (!PostMessageW(listening, WM_NULL, 0, 0)) break;
    keys.listenAgain();
    const auto before = std::chrono::steady_clock::now();
    keys.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));
}

struct Fit {
    std::size_t size, offset;
    std::uint32_t each, count;
    bool fits;
};

TEST(Keys, HidReportsAreCheckedAgainstTheInputsSizeWithoutAProductThatWraps) {
    const Fit cases[] = {
        {40, 32, 4, 2, true},
        {40, 32, 4, 3, false},
        {40, 32, 0, 1, false},
        {16, 32, 4, 0, false},
        // 0x10000 reports of 0x10001 bytes: the product wraps to 0x10000 in 32 bits.
        {0x20000, 32, 0x10001, 0x10000, false},
        {0x20000, 32, 0xFFFFFFFFu, 0xFFFFFFFFu, false},
    };
    for (const Fit& c : cases)
        EXPECT_EQ(win32::hidReportsFit(c.size, c.offset, c.each, c.count), c.fits)
            << c.size << " " << c.offset << " " << c.each << " " << c.count;
}

}  // namespace
