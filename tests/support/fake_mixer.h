// A scripted mixer device tree standing in for the system's mixers. Tests
// build destinations with their controls and source lines, make calls fail,
// and read back what was written; every call is logged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/mixer.h"

namespace testing_support {

struct FakeControl {
    platform::MixerControlInfo control;
    std::vector<std::int32_t> values;            // channels x max(items, 1)
    std::vector<platform::MixerListItem> texts;  // channels x items
    bool failRead = false;
    bool failWrite = false;
    int writes = 0;
};

struct FakeLine {
    platform::MixerLineInfo line;
    std::vector<FakeControl> controls;
    bool failInfo = false;
};

struct FakeDestination {
    FakeLine line;
    std::vector<FakeLine> sources;
};

class FakeMixer : public platform::MixerDevices {
public:
    std::uint32_t devices = 1;
    int failingOpens = 0;  // this many opens fail before one succeeds
    platform::MixerDeviceInfo info;
    std::vector<FakeDestination> destinations;
    std::vector<std::string> calls;
    bool isOpen = false;

    enum Flags : std::uint32_t { uniform = 1, multiple = 2, disabled = 4 };
    // A line's control, added with a fresh id; returns that id. MIXER and
    // MUX controls are of the list class.
    static std::uint32_t addControl(FakeLine& line, platform::MixerControlKind kind, std::uint32_t flags,
                                    std::vector<std::int32_t> values, std::uint32_t items = 0);
    FakeControl& control(std::uint32_t id);
    // What the device reports when a line or control changes.
    void notify(platform::MixerChange change, std::int32_t mixer, std::int32_t id);

    std::uint32_t count() override { return devices; }
    std::unique_ptr<platform::MixerNotifications> notifications(
        platform::MixerChangeHandler handler) override;
    std::optional<platform::MixerHandle> open(std::uint32_t device, fw::WindowHandle notify) override;
    void close(platform::MixerHandle mixer) override;
    platform::MixerDeviceInfo describe(std::uint32_t device) override;
    std::optional<platform::MixerLineInfo> destination(platform::MixerHandle mixer,
                                                       std::uint32_t destination) override;
    std::optional<platform::MixerLineInfo> source(platform::MixerHandle mixer, std::uint32_t destination,
                                                  std::uint32_t source) override;
    std::optional<std::vector<platform::MixerControlInfo>> controls(
        platform::MixerHandle mixer, const platform::MixerLineInfo& line) override;
    std::optional<platform::MixerControlInfo> controlOfKind(platform::MixerHandle mixer, std::uint32_t lineId,
                                                            platform::MixerControlKind kind) override;
    bool read(platform::MixerHandle mixer, const platform::MixerValues& which,
              std::span<std::int32_t> values) override;
    bool write(platform::MixerHandle mixer, const platform::MixerValues& which,
               std::span<const std::int32_t> values) override;
    std::optional<std::vector<platform::MixerListItem>> itemTexts(
        platform::MixerHandle mixer, const platform::MixerValues& which) override;

private:
    FakeLine* lineById(std::uint32_t id);
    platform::MixerChangeHandler handler_;
    static std::uint32_t nextId_;
};

// A device with one destination (the master output) of `channels`
// channels and the given line id.
FakeDestination destination(std::uint32_t lineId, std::uint32_t channels);
FakeLine source(std::uint32_t lineId, std::uint32_t channels);

}  // namespace testing_support
