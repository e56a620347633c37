// A scripted mixer device tree standing in for the system's mixer calls.
// Tests build destinations with their controls and source lines, make
// calls fail, and read back what was written; every call is logged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/mixer.h"

namespace testing_support {

struct FakeControl {
    platform::MixerControl control;
    std::vector<std::int32_t> values;     // channels x max(items, 1)
    std::vector<platform::ListText> texts;  // channels x items
    bool failRead = false;
    bool failWrite = false;
    int writes = 0;
};

struct FakeLine {
    platform::MixerLine line;
    std::vector<FakeControl> controls;
    bool failInfo = false;
};

struct FakeDestination {
    FakeLine line;
    std::vector<FakeLine> sources;
};

class FakeMixer : public platform::MixerApi {
public:
    std::uint32_t devices = 1;
    int failingOpens = 0;  // this many opens fail before one succeeds
    platform::MixerCaps caps;
    std::vector<FakeDestination> destinations;
    std::vector<std::string> calls;
    bool open = false;

    // A line's control, added with a fresh id; returns that id.
    static std::uint32_t addControl(FakeLine& line, std::uint32_t type, std::uint32_t flags,
                                    std::vector<std::int32_t> values, std::uint32_t items = 0);
    FakeControl& control(std::uint32_t id);
    // Sends the callback window a message; true when it was taken.
    bool notify(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam);
    std::uintptr_t callbackWindow() const { return 0xCB; }

    std::uint32_t getNumDevs() override { return devices; }
    platform::MMRESULT openDevice(platform::MixerHandle* handle, std::uint32_t device, std::uintptr_t callback,
                                  std::uintptr_t instance, std::uint32_t flags) override;
    platform::MMRESULT closeDevice(platform::MixerHandle handle) override;
    platform::MMRESULT getDevCaps(std::uint32_t device, platform::MixerCaps& caps, std::uint32_t size) override;
    platform::MMRESULT getLineInfo(platform::MixerHandle handle, platform::MixerLine& line, std::uint32_t flags) override;
    platform::MMRESULT getLineControls(platform::MixerHandle handle, platform::MixerLineControls& controls,
                                       std::uint32_t flags) override;
    platform::MMRESULT getControlDetails(platform::MixerHandle handle, platform::ControlDetails& details,
                                         std::uint32_t flags) override;
    platform::MMRESULT setControlDetails(platform::MixerHandle handle, platform::ControlDetails& details,
                                         std::uint32_t flags) override;
    std::unique_ptr<platform::CallbackWindow> createCallbackWindow(platform::CallbackHandler handler) override;

private:
    FakeLine* lineById(std::uint32_t id);
    platform::CallbackHandler handler_;
    static std::uint32_t nextId_;
};

// A device with one destination (the master output) of `channels`
// channels and the given line id.
FakeDestination destination(std::uint32_t lineId, std::uint32_t channels);
FakeLine source(std::uint32_t lineId, std::uint32_t channels);

}  // namespace testing_support
