// TAudioMixer: opens one of the system's mixer devices, keeps a snapshot of
// its destination lines, their source lines (connections) and controls,
// and reads and writes the volume and mute of one line. Lines are found by
// position: Destination in the destinations list, Connection -1 for the
// destination line itself or a position in its connections list.
// The driver's change notifications arrive in a hidden window of its own
// and are passed on as OnLineChange and OnControlChange.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control/pointer_list.h"
#include "framework/component.h"
#include "platform/mixer.h"

class TAudioMixer;

// One line's controls: the records in one block, and the list of pointers
// into it in the order the system gave them.
class TMixerControls {
public:
    TMixerControls(TAudioMixer& mixer, const platform::MixerLine& line);
    TPointerList<platform::MixerControl>& List() { return list_; }

private:
    std::vector<platform::MixerControl> block_;
    TPointerList<platform::MixerControl> list_;
};

class TMixerConnection {
public:
    TMixerConnection(TAudioMixer& mixer, const platform::MixerLine& line);
    TAudioMixer& mixer;
    platform::MixerLine Line;
    TMixerControls Controls;
};

class TMixerConnections {
public:
    TMixerConnections(TAudioMixer& mixer, const platform::MixerLine& destination);
    TAudioMixer& mixer;
    TPointerList<TMixerConnection> List;
};

class TMixerDestination {
public:
    TMixerDestination(TAudioMixer& mixer, const platform::MixerLine& line);
    TAudioMixer& mixer;
    platform::MixerLine Line;
    TMixerControls Controls;
    TMixerConnections Connections;
};

class TMixerDestinations {
public:
    TMixerDestinations();
    TPointerList<TMixerDestination> List;
};

using TMixerChange = std::function<void(fw::Component& sender, std::int32_t MixerH, std::int32_t ID)>;

class TAudioMixer : public fw::Component {
public:
    static constexpr std::size_t valueCapacity = 101;

    TAudioMixer(fw::Component* owner, std::string name, platform::MixerApi& api);
    ~TAudioMixer() override;

    std::int32_t MixerId() const { return mixerId_; }
    void setMixerId(std::int32_t id);
    std::int32_t DriverVersion() const { return static_cast<std::int32_t>(caps_.vDriverVersion); }
    const std::string& Manufacturer() const { return manufacturer_; }
    std::uint16_t ProductId() const { return caps_.wPid; }
    std::int32_t NumberOfLine() const { return static_cast<std::int32_t>(caps_.cDestinations); }
    const std::string& ProductName() const { return caps_.szPname; }
    TMixerDestinations& Destinations() { return *destinations_; }

    TMixerChange OnLineChange;
    TMixerChange OnControlChange;

    bool GetVolume(std::int32_t Destination, std::int32_t Connection, std::int32_t& LeftVolume,
                   std::int32_t& RightVolume, std::int32_t& MuteState, bool& IsStereo, bool& VolumeUnavailable,
                   bool& MuteUnavailable, bool& MuteFromSelector);
    bool SetVolume(std::int32_t Destination, std::int32_t Connection, std::int32_t LeftVolume,
                   std::int32_t RightVolume, std::int32_t MuteState);
    bool GetMute(std::int32_t Destination, std::int32_t Connection, bool& Muted);
    bool SetMute(std::int32_t Destination, std::int32_t Connection, bool Muted);
    // The bounds of the line's first volume control; false without one.
    bool VolumeRange(std::int32_t Destination, std::int32_t Connection, std::int32_t& Minimum,
                     std::int32_t& Maximum);

    // Used by the tree while it is built.
    platform::MixerApi& api() const { return api_; }
    platform::MixerHandle handle() const { return handle_; }

private:
    using Values = std::array<std::int32_t, valueCapacity>;
    struct LineRef {
        TMixerDestination* destination = nullptr;
        const platform::MixerLine* line = nullptr;
        TMixerControls* controls = nullptr;
        std::uint32_t lineId = 0;  // of the connection, when one is addressed
    };

    bool findLine(std::int32_t destination, std::int32_t connection, LineRef& ref);
    void closeDevice();
    bool transferValues(const platform::MixerControl& c, std::uint32_t channels, Values& values, bool write);
    bool readValues(const platform::MixerControl& c, std::uint32_t channels, Values& values) {
        return transferValues(c, channels, values, false);
    }
    bool writeValues(const platform::MixerControl& c, std::uint32_t channels, Values& values) {
        return transferValues(c, channels, values, true);
    }
    static std::uint32_t channelsFor(const platform::MixerControl& c, const platform::MixerLine& line);
    static std::uint32_t itemsFor(const platform::MixerControl& c);
    // The position of a connection among the items of a list control of
    // its destination (read from the items' texts), or -1.
    std::int32_t itemOf(const platform::MixerControl& c, const platform::MixerLine& destination,
                        std::uint32_t connectionLineId);
    bool findMuteControl(const platform::MixerLine& line, platform::MixerControl& found);
    bool callback(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam);

    platform::MixerApi& api_;
    std::unique_ptr<platform::CallbackWindow> window_;
    std::unique_ptr<TMixerDestinations> destinations_;
    std::int32_t deviceCount_ = 0;
    platform::MixerHandle handle_ = 0;
    std::int32_t mixerId_ = -1;
    platform::MixerCaps caps_;
    std::string manufacturer_;
};
