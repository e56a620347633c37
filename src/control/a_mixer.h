// TAudioMixer: opens one of the system's mixer devices, keeps a snapshot of
// its destination lines, their source lines (connections) and controls,
// and reads and writes the volume and mute of one line. Lines are found by
// position: Destination in the destinations list, Connection -1 for the
// destination line itself or a position in its connections list.
// The driver's change notifications are passed on as OnLineChange and
// OnControlChange.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/pointer_list.h"
#include "framework/component.h"
#include "platform/mixer.h"

namespace control {

// One line's controls in the order the system gave them, in one block.
class TMixerControls {
public:
    TMixerControls(platform::MixerDevices& devices, platform::MixerHandle mixer,
                   const platform::MixerLineInfo& line);
    const platform::MixerControlInfo* Item(std::int32_t index) const;
    std::int32_t Count() const { return static_cast<std::int32_t>(block_.size()); }
    const std::vector<platform::MixerControlInfo>& all() const { return block_; }

private:
    std::vector<platform::MixerControlInfo> block_;
};

class TMixerConnection {
public:
    TMixerConnection(platform::MixerDevices& devices, platform::MixerHandle mixer,
                     const platform::MixerLineInfo& line)
        : Line(line), Controls(devices, mixer, line) {}
    platform::MixerLineInfo Line;
    TMixerControls Controls;
};

class TMixerDestination {
public:
    TMixerDestination(platform::MixerDevices& devices, platform::MixerHandle mixer,
                      const platform::MixerLineInfo& line);
    platform::MixerLineInfo Line;
    TMixerControls Controls;
    TPointerList<TMixerConnection> Connections;
};

using TMixerDestinations = TPointerList<TMixerDestination>;

using TMixerChange = std::function<void(fw::Component& sender, std::int32_t MixerH, std::int32_t ID)>;

// What GetVolume found on a line. A volume of -1 means no readable volume
// control; a MuteState of -1 means no mute state was found; MuteFromSelector
// says MuteState is the line's selection in a selector of its destination.
struct TVolumeState {
    bool Found = false;  // the line exists
    std::int32_t LeftVolume = -1;
    std::int32_t RightVolume = -1;
    std::int32_t MuteState = -1;
    bool IsStereo = false;
    bool VolumeUnavailable = true;
    bool MuteUnavailable = true;
    bool MuteFromSelector = false;
};

struct TVolumeRange {
    std::int32_t Minimum = 0;
    std::int32_t Maximum = 0;
};

class TAudioMixer : public fw::Component {
public:
    static constexpr std::size_t valueCapacity = 101;

    TAudioMixer(fw::Component* owner, std::string name, platform::MixerDevices& devices);
    ~TAudioMixer() override;

    std::int32_t MixerId() const { return mixerId_; }
    void setMixerId(std::int32_t id);
    std::int32_t DriverVersion() const { return static_cast<std::int32_t>(info_.driverVersion); }
    const std::string& Manufacturer() const { return manufacturer_; }
    std::uint16_t ProductId() const { return info_.productId; }
    std::int32_t NumberOfLine() const { return static_cast<std::int32_t>(info_.destinations); }
    const std::string& ProductName() const { return info_.productName; }
    const TMixerDestinations& Destinations() const { return destinations_; }

    TMixerChange OnLineChange;
    TMixerChange OnControlChange;

    TVolumeState GetVolume(std::int32_t Destination, std::int32_t Connection);
    // LeftVolume -1 leaves the volume alone, RightVolume -1 means the same
    // as LeftVolume, MuteState -1 leaves the mute alone.
    bool SetVolume(std::int32_t Destination, std::int32_t Connection, std::int32_t LeftVolume,
                   std::int32_t RightVolume, std::int32_t MuteState);
    bool GetMute(std::int32_t Destination, std::int32_t Connection, bool& Muted);
    bool SetMute(std::int32_t Destination, std::int32_t Connection, bool Muted);
    // The bounds of the line's first volume control; none without one.
    std::optional<TVolumeRange> VolumeRange(std::int32_t Destination, std::int32_t Connection);

private:
    using Values = std::array<std::int32_t, valueCapacity>;
    struct LineRef {
        TMixerDestination* destination = nullptr;
        const platform::MixerLineInfo* line = nullptr;
        const TMixerControls* controls = nullptr;
    };
    // A list control of the destination as the addressed line sees it.
    struct Selection {
        bool valuesRead = false;
        Values values{};
        std::optional<std::size_t> item;  // the line's item in the list
    };

    std::optional<LineRef> findLine(std::int32_t destination, std::int32_t connection);
    void closeDevice();
    platform::MixerValues which(const platform::MixerControlInfo& c,
                                const platform::MixerLineInfo& line) const;
    bool readValues(const platform::MixerValues& which, Values& values);
    bool writeValues(const platform::MixerValues& which, const Values& values);
    Selection readSelection(const platform::MixerControlInfo& c, const LineRef& ref, bool lookUpItem);
    bool writeSelection(const platform::MixerControlInfo& c, const LineRef& ref, Selection& selection,
                        std::int32_t state);
    void changed(platform::MixerChange change, std::int32_t mixer, std::int32_t id);

    platform::MixerDevices& devices_;
    std::unique_ptr<platform::MixerNotifications> notifications_;
    TMixerDestinations destinations_;
    std::int32_t deviceCount_ = 0;
    platform::MixerHandle handle_ = 0;
    std::int32_t mixerId_ = -1;
    platform::MixerDeviceInfo info_;
    std::string manufacturer_;
};

}  // namespace control
