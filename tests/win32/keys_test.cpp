// The keys the system hears, on the system itself: the listening thread's
// window gets a key sent with SendInput while another window is in front,
// the hook takes it from that window when the listener says it is the
// remote's, and once stopped the listening lets it go: the window in front
// gets it and the listener hears nothing more.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/win32/win32_keys.h"

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
    void tick(std::uint32_t) override {}
    bool wantsTicks() const override { return false; }
    int of(unsigned vk, platform::KeyWay way) {
        std::lock_guard lock(mutex_);
        int n = 0;
        for (const auto& s : strokes_) n += s.vk == vk && s.way == way && s.down;
        return n;
    }
    int all() {
        std::lock_guard lock(mutex_);
        return static_cast<int>(strokes_.size());
    }

private:
    std::mutex mutex_;
    std::vector<platform::KeyStroke> strokes_;
};

// A window of the test's own in front, counting the key downs it gets.
int frontKeys = 0;
LRESULT CALLBACK frontProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN && wParam == playPause) ++frontKeys;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void send(unsigned vk) {
    INPUT in[2]{};
    for (INPUT& i : in) {
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = static_cast<WORD>(vk);
        i.ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
    }
    in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
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

    keys.listenAgain();  // as after sleep: still heard, once
    const int before = heard.of(playPause, platform::KeyWay::keyboard);
    send(playPause);
    EXPECT_TRUE(serveUntil([&] { return heard.of(playPause, platform::KeyWay::keyboard) == before + 1; }));

    keys.stop();
    const int all = heard.all();
    send(playPause);
    EXPECT_TRUE(serveUntil([&] { return frontKeys == 1; })) << "let go: the window in front gets it";
    EXPECT_EQ(heard.all(), all) << "and the listener hears nothing more";
    DestroyWindow(front);
}

}  // namespace
