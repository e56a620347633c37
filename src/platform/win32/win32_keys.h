// Win32Keys: the keys and remotes the system hears, for a listener, on a
// thread of its own. A hidden window of that thread takes raw input
// (keyboards, consumer-control remotes, the Media Center page, system
// control) in the background, with device arrivals and removals; a
// low-level keyboard hook on the same thread asks the listener whether a
// key is the remote's and keeps it from the program in front if so. The
// hook's procedure only asks and returns: the thread never waits for
// anything else, so the system never finds the hook slow and removes it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "platform/key_input.h"
#include "platform/media_keys.h"

namespace win32 {

// The HID parser of the system (hid.dll).
class Win32HidParser : public platform::HidParser {
public:
    std::optional<std::vector<ir::HidUsage>> usages(const std::vector<unsigned char>& preparsed,
                                                    const std::vector<unsigned char>& report) const override;
};

// The media keys sent as if pressed, with our mark.
class Win32MediaKeys : public platform::MediaKeys {
public:
    bool send(platform::MediaKey key) override;
};

class Win32Keys : public platform::KeyInput {
public:
    static constexpr std::uint32_t repeatMs = 100;

    explicit Win32Keys(HINSTANCE instance) : instance_(instance) {}
    ~Win32Keys() override { stop(); }

    bool start(platform::KeyListener& listener, std::string& error) override;
    void stop() override;
    void listenAgain() override;

    LRESULT windowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    struct Device {
        std::string id;  // "VVVV:PPPP", or empty
        std::vector<unsigned char> preparsed;
    };
    void run(platform::KeyListener& listener, std::string& error, HANDLE ready);
    bool listen(std::string& error);
    void input(HRAWINPUT handle);
    const Device& device(HANDLE handle);
    void pace();
    static LRESULT CALLBACK hookProcedure(int code, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    std::thread thread_;
    DWORD threadId_ = 0;
    // The listening thread's own, from here on.
    HWND hwnd_ = nullptr;
    HHOOK hook_ = nullptr;
    platform::KeyListener* listener_ = nullptr;
    std::map<HANDLE, Device> devices_;
    std::vector<unsigned char> buffer_;
    bool ticking_ = false;
    Win32HidParser parser_;
};

}  // namespace win32
