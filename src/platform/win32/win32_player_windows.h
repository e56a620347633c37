// The player seam on Win32: the player's window found by class, reached
// with synchronous messages.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/player_window.h"
#include "platform/win32/win32_files.h"

namespace win32 {

class Win32PlayerWindows : public platform::PlayerWindows {
public:
    // A player that pumps its messages answers its remote within
    // milliseconds; 200 ms leaves room for one that is busy for a moment
    // (loading a track, waking a disk) while a hung one costs the remote at
    // most that per exchange, and a refresh stops at its first silence.
    static constexpr UINT defaultAnswerLimitMs = 200;

    explicit Win32PlayerWindows(UINT answerLimitMs = defaultAnswerLimitMs) : answerLimitMs_(answerLimitMs) {}

    fw::WindowHandle findByClass(const std::string& windowClass) override;
    std::optional<std::int32_t> ping(fw::WindowHandle window) override;
    std::optional<std::int32_t> command(fw::WindowHandle window, std::int32_t commandId) override;
    std::optional<std::int32_t> request(fw::WindowHandle window, std::int32_t code,
                                        std::int32_t argument) override;
    std::string programOf(fw::WindowHandle window) override;
    std::optional<std::string> readMemory(fw::WindowHandle window, std::uint32_t address, std::size_t bytes) override;
    const fw::CodePage& codePage() const override { return *codePage_; }

private:
    UINT answerLimitMs_;
    std::unique_ptr<fw::CodePage> codePage_ = systemCodePage();
    std::optional<std::int32_t> send(fw::WindowHandle window, UINT message, std::int32_t wParam,
                                     std::int32_t lParam);
};

}  // namespace win32
