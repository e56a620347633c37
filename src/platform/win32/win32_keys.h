// Win32Keys: the keys and remotes the system hears, for a listener, on a
// thread of its own. A hidden window of that thread takes raw input
// (keyboards, consumer-control remotes, the Media Center page, system
// control) in the background, with device arrivals and removals, and the
// session's unlocking; a low-level keyboard hook on the same thread asks
// the listener whether a key is the remote's and keeps it from the program
// in front if so. The hook's procedure only asks and returns: the thread
// never waits for anything else, so the system never finds the hook slow
// and removes it. The thread is told to stop and to listen anew through
// events, never through its message queue, which may be full.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "platform/key_input.h"
#include "platform/win32/win32_hid_parser.h"

namespace win32 {

// Whether `count` reports of `each` bytes fit in a raw input of `size`
// bytes whose reports start at `offset`, without a product that wraps.
constexpr bool hidReportsFit(std::size_t size, std::size_t offset, std::uint32_t each, std::uint32_t count) {
    return each != 0 && offset <= size && count <= (size - offset) / each;
}

class Win32Keys : public platform::KeyInput {
public:
    explicit Win32Keys(HINSTANCE instance) : instance_(instance) {}
    ~Win32Keys() override;

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
    void serve();
    bool listen(std::string& error);
    void unlisten();
    void input(HRAWINPUT handle);
    const Device& device(HANDLE handle);
    void pace();
    static LRESULT CALLBACK hookProcedure(int code, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    std::thread thread_;
    // Set by stop and listenAgain, waited for by the thread.
    HANDLE stopEvent_ = nullptr;
    HANDLE againEvent_ = nullptr;
    // The listening thread's own, from here on.
    HWND hwnd_ = nullptr;
    HHOOK hook_ = nullptr;
    bool sessionNotices_ = false;
    platform::KeyListener* listener_ = nullptr;
    std::map<HANDLE, Device> devices_;
    std::vector<unsigned char> buffer_;
    bool ticking_ = false;
    Win32HidParser parser_;
};

}  // namespace win32
