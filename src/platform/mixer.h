// The operating system's audio-mixer calls, on plain records that mirror
// the multimedia API's ANSI structures (their size fields included), so the
// mixer component reads like the calls it makes and a double can stand in
// for a device.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/host.h"

namespace platform {

using MixerHandle = std::uintptr_t;
using MMRESULT = std::uint32_t;
constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;

constexpr std::uint32_t CALLBACK_WINDOW = 0x00010000;
constexpr std::uint32_t MIXER_GETLINEINFOF_DESTINATION = 0;
constexpr std::uint32_t MIXER_GETLINEINFOF_SOURCE = 1;
constexpr std::uint32_t MIXER_GETLINECONTROLSF_ALL = 0;
constexpr std::uint32_t MIXER_GETLINECONTROLSF_ONEBYTYPE = 2;
constexpr std::uint32_t MIXER_GETCONTROLDETAILSF_VALUE = 0;
constexpr std::uint32_t MIXER_GETCONTROLDETAILSF_LISTTEXT = 1;
constexpr std::uint32_t MIXER_SETCONTROLDETAILSF_VALUE = 0;

constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_VOLUME = 0x50030001;
constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_MUTE = 0x20010002;
constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_MIXER = 0x71010001;
constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_MUX = 0x70010001;
constexpr std::uint32_t MIXERCONTROL_CT_CLASS_MASK = 0xF0000000;
constexpr std::uint32_t MIXERCONTROL_CT_CLASS_LIST = 0x70000000;
constexpr std::uint32_t MIXERCONTROL_CONTROLF_UNIFORM = 1;
constexpr std::uint32_t MIXERCONTROL_CONTROLF_MULTIPLE = 2;
constexpr std::uint32_t MIXERCONTROL_CONTROLF_DISABLED = 0x80000000;

constexpr unsigned MM_MIXM_LINE_CHANGE = 976;
constexpr unsigned MM_MIXM_CONTROL_CHANGE = 977;

struct MixerCaps {  // MIXERCAPSA, 48 bytes
    std::uint16_t wMid = 0;
    std::uint16_t wPid = 0;
    std::uint32_t vDriverVersion = 0;
    std::string szPname;  // at most 31 characters
    std::uint32_t fdwSupport = 0;
    std::uint32_t cDestinations = 0;
};

struct MixerLine {  // MIXERLINEA, 168 bytes
    std::uint32_t cbStruct = 0;
    std::uint32_t dwDestination = 0;
    std::uint32_t dwSource = 0;
    std::uint32_t dwLineID = 0;
    std::uint32_t fdwLine = 0;
    std::uintptr_t dwUser = 0;
    std::uint32_t dwComponentType = 0;
    std::uint32_t cChannels = 0;
    std::uint32_t cConnections = 0;
    std::uint32_t cControls = 0;
    std::string szShortName;
    std::string szName;
};

struct MixerControl {  // MIXERCONTROLA, 148 bytes
    std::uint32_t cbStruct = 0;
    std::uint32_t dwControlID = 0;
    std::uint32_t dwControlType = 0;
    std::uint32_t fdwControl = 0;
    std::uint32_t cMultipleItems = 0;
    std::string szShortName;
    std::string szName;
    std::int32_t lMinimum = 0;
    std::int32_t lMaximum = 0;
};

struct MixerLineControls {  // MIXERLINECONTROLSA, 24 bytes
    std::uint32_t cbStruct = 0;
    std::uint32_t dwLineID = 0;
    std::uint32_t dwControlType = 0;  // the union's "by type" member
    std::uint32_t cControls = 0;
    std::uint32_t cbmxctrl = 0;
    MixerControl* pamxctrl = nullptr;
};

struct ListText {  // MIXERCONTROLDETAILS_LISTTEXTA, 72 bytes
    std::uint32_t dwParam1 = 0;
    std::uint32_t dwParam2 = 0;
    std::string szName;
};

struct ControlDetails {  // MIXERCONTROLDETAILS, 24 bytes
    std::uint32_t cbStruct = 0;
    std::uint32_t dwControlID = 0;
    std::uint32_t cChannels = 0;
    std::uint32_t cMultipleItems = 0;
    std::uint32_t cbDetails = 0;  // 4: paDetails holds int32 values; 72: ListText records
    void* paDetails = nullptr;
};

// A hidden window that receives the driver's notifications.
class CallbackWindow {
public:
    virtual ~CallbackWindow() = default;
    virtual fw::WindowHandle handle() const = 0;
};
// Answers true for a message it took (result 0); others go to the default.
using CallbackHandler = std::function<bool(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)>;

class MixerApi {
public:
    virtual ~MixerApi() = default;
    virtual std::uint32_t getNumDevs() = 0;
    virtual MMRESULT openDevice(MixerHandle* handle, std::uint32_t device, std::uintptr_t callback,
                               std::uintptr_t instance, std::uint32_t flags) = 0;
    virtual MMRESULT closeDevice(MixerHandle handle) = 0;
    virtual MMRESULT getDevCaps(std::uint32_t device, MixerCaps& caps, std::uint32_t size) = 0;
    virtual MMRESULT getLineInfo(MixerHandle handle, MixerLine& line, std::uint32_t flags) = 0;
    virtual MMRESULT getLineControls(MixerHandle handle, MixerLineControls& controls, std::uint32_t flags) = 0;
    virtual MMRESULT getControlDetails(MixerHandle handle, ControlDetails& details, std::uint32_t flags) = 0;
    virtual MMRESULT setControlDetails(MixerHandle handle, ControlDetails& details, std::uint32_t flags) = 0;
    virtual std::unique_ptr<CallbackWindow> createCallbackWindow(CallbackHandler handler) = 0;
};

}  // namespace platform
