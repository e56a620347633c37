// The system's audio mixers as the mixer component needs them: how many
// there are, opening one (with or without change notifications), what it
// says about itself, its lines and their controls, and reading and writing
// a control's values and item texts. The records are the component's own;
// the Win32 side fills them from the multimedia API's structures.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "framework/host.h"

namespace platform {

using MixerHandle = std::uintptr_t;

struct MixerDeviceInfo {
    std::uint16_t manufacturerId = 0;
    std::uint16_t productId = 0;
    std::uint32_t driverVersion = 0;
    std::string productName;
    std::uint32_t destinations = 0;
};

// A destination line (source 0) or one of its source lines.
struct MixerLineInfo {
    std::uint32_t lineId = 0;
    std::uint32_t destination = 0;
    std::uint32_t source = 0;
    std::uint32_t channels = 0;
    std::uint32_t connections = 0;  // source lines of a destination
    std::uint32_t controls = 0;
};

// The control types the component tells apart; every other type is `other`.
enum class MixerControlKind { volume, mute, mixer, mux, other };

struct MixerControlInfo {
    std::uint32_t id = 0;
    MixerControlKind kind = MixerControlKind::other;
    bool listClass = false;  // a list of items (MIXER and MUX are lists)
    bool uniform = false;    // one value for all channels
    bool multiple = false;   // one value per item
    bool disabled = false;
    std::uint32_t items = 0;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
};

// Which values of a control a read or write covers: channels x items
// (items 0 for a control that has no items).
struct MixerValues {
    std::uint32_t controlId = 0;
    std::uint32_t channels = 0;
    std::uint32_t items = 0;
    std::size_t count() const { return static_cast<std::size_t>(channels) * (items ? items : 1); }
};

// One item of a list control: the line it stands for, and its text.
struct MixerListItem {
    std::uint32_t lineId = 0;
    std::uint32_t param2 = 0;
    std::string name;
};

enum class MixerChange { line, control };
using MixerChangeHandler = std::function<void(MixerChange change, std::int32_t mixer, std::int32_t id)>;

// Where a device sends its change notifications while it lives.
class MixerNotifications {
public:
    virtual ~MixerNotifications() = default;
    virtual fw::WindowHandle window() const = 0;
};

class MixerDevices {
public:
    virtual ~MixerDevices() = default;
    virtual std::uint32_t count() = 0;
    virtual std::unique_ptr<MixerNotifications> notifications(MixerChangeHandler handler) = 0;
    // Opens a device, its changes reported to `notify` (0: no notifications).
    virtual std::optional<MixerHandle> open(std::uint32_t device, fw::WindowHandle notify) = 0;
    virtual void close(MixerHandle mixer) = 0;
    // By the device's index, not its handle.
    virtual MixerDeviceInfo describe(std::uint32_t device) = 0;
    virtual std::optional<MixerLineInfo> destination(MixerHandle mixer, std::uint32_t destination) = 0;
    virtual std::optional<MixerLineInfo> source(MixerHandle mixer, std::uint32_t destination,
                                                std::uint32_t source) = 0;
    // All of a line's controls, in the system's order.
    virtual std::optional<std::vector<MixerControlInfo>> controls(MixerHandle mixer,
                                                                  const MixerLineInfo& line) = 0;
    // The line's first control of a kind.
    virtual std::optional<MixerControlInfo> controlOfKind(MixerHandle mixer, std::uint32_t lineId,
                                                          MixerControlKind kind) = 0;
    // `values` holds at least which.count() values.
    virtual bool read(MixerHandle mixer, const MixerValues& which, std::span<std::int32_t> values) = 0;
    virtual bool write(MixerHandle mixer, const MixerValues& which, std::span<const std::int32_t> values) = 0;
    virtual std::optional<std::vector<MixerListItem>> itemTexts(MixerHandle mixer,
                                                                const MixerValues& which) = 0;
};

}  // namespace platform
