#include "platform/win32/win32_mixer.h"

#include <vector>

#include "platform/win32/mixer_notification_window.h"
#include "platform/win32/window_class.h"

namespace win32 {
namespace {

HMIXEROBJ mixerOf(platform::MixerHandle h) {
    return reinterpret_cast<HMIXEROBJ>(h);
}

platform::MixerLineInfo lineOf(const MIXERLINEA& l) {
    return {l.dwLineID, l.dwDestination, l.dwSource, l.cChannels, l.cConnections, l.cControls};
}

platform::MixerControlKind kindOf(DWORD type) {
    switch (type) {
        case MIXERCONTROL_CONTROLTYPE_VOLUME:
            return platform::MixerControlKind::volume;
        case MIXERCONTROL_CONTROLTYPE_MUTE:
            return platform::MixerControlKind::mute;
        case MIXERCONTROL_CONTROLTYPE_MIXER:
            return platform::MixerControlKind::mixer;
        case MIXERCONTROL_CONTROLTYPE_MUX:
            return platform::MixerControlKind::mux;
        default:
            return platform::MixerControlKind::other;
    }
}

DWORD typeOf(platform::MixerControlKind kind) {
    switch (kind) {
        case platform::MixerControlKind::volume:
            return MIXERCONTROL_CONTROLTYPE_VOLUME;
        case platform::MixerControlKind::mute:
            return MIXERCONTROL_CONTROLTYPE_MUTE;
        case platform::MixerControlKind::mixer:
            return MIXERCONTROL_CONTROLTYPE_MIXER;
        case platform::MixerControlKind::mux:
            return MIXERCONTROL_CONTROLTYPE_MUX;
        case platform::MixerControlKind::other:
            break;
    }
    return 0;
}

platform::MixerControlInfo controlOf(const MIXERCONTROLA& c) {
    platform::MixerControlInfo out;
    out.id = c.dwControlID;
    out.kind = kindOf(c.dwControlType);
    out.listClass = (c.dwControlType & MIXERCONTROL_CT_CLASS_MASK) == MIXERCONTROL_CT_CLASS_LIST;
    out.uniform = (c.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) != 0;
    out.multiple = (c.fdwControl & MIXERCONTROL_CONTROLF_MULTIPLE) != 0;
    out.disabled = (c.fdwControl & MIXERCONTROL_CONTROLF_DISABLED) != 0;
    out.items = c.cMultipleItems;
    out.minimum = c.Bounds.lMinimum;
    out.maximum = c.Bounds.lMaximum;
    return out;
}

MIXERCONTROLDETAILS details(const platform::MixerValues& which, DWORD itemSize, void* items) {
    MIXERCONTROLDETAILS d{};
    d.cbStruct = sizeof(d);
    d.dwControlID = which.controlId;
    d.cChannels = which.channels;
    d.cMultipleItems = which.items;
    d.cbDetails = itemSize;
    d.paDetails = items;
    return d;
}

}  // namespace

std::uint32_t Win32Mixer::count() {
    return mixerGetNumDevs();
}

std::unique_ptr<platform::MixerNotifications> Win32Mixer::notifications(
    platform::MixerChangeHandler handler) {
    return std::make_unique<MixerNotificationWindow>(host_, std::move(handler));
}

std::optional<platform::MixerHandle> Win32Mixer::open(std::uint32_t device, fw::WindowHandle notify) {
    HMIXER h = nullptr;
    const MMRESULT r =
        notify ? mixerOpen(&h, device, notify, 0, CALLBACK_WINDOW) : mixerOpen(&h, device, 0, 0, 0);
    if (r != MMSYSERR_NOERROR) return std::nullopt;
    return reinterpret_cast<platform::MixerHandle>(h);
}

void Win32Mixer::close(platform::MixerHandle mixer) {
    mixerClose(reinterpret_cast<HMIXER>(mixer));
}

platform::MixerDeviceInfo Win32Mixer::describe(std::uint32_t device) {
    MIXERCAPSA caps{};
    mixerGetDevCapsA(device, &caps, sizeof(caps));
    return {caps.wMid, caps.wPid, caps.vDriverVersion, fieldText(caps.szPname), caps.cDestinations};
}

std::optional<platform::MixerLineInfo> Win32Mixer::lineInfo(platform::MixerHandle mixer, MIXERLINEA& line,
                                                            DWORD flags) {
    line.cbStruct = sizeof(line);
    if (mixerGetLineInfoA(mixerOf(mixer), &line, MIXER_OBJECTF_HMIXER | flags) != MMSYSERR_NOERROR)
        return std::nullopt;
    return lineOf(line);
}

std::optional<platform::MixerLineInfo> Win32Mixer::destination(platform::MixerHandle mixer,
                                                               std::uint32_t destination) {
    MIXERLINEA line{};
    line.dwDestination = destination;
    return lineInfo(mixer, line, MIXER_GETLINEINFOF_DESTINATION);
}

std::optional<platform::MixerLineInfo> Win32Mixer::source(platform::MixerHandle mixer,
                                                          std::uint32_t destination, std::uint32_t source) {
    MIXERLINEA line{};
    line.dwDestination = destination;
    line.dwSource = source;
    return lineInfo(mixer, line, MIXER_GETLINEINFOF_SOURCE);
}

std::optional<std::vector<platform::MixerControlInfo>> Win32Mixer::controls(
    platform::MixerHandle mixer, const platform::MixerLineInfo& line) {
    std::vector<MIXERCONTROLA> records(line.controls ? line.controls : 1);
    MIXERLINECONTROLSA request{};
    request.cbStruct = sizeof(request);
    request.dwLineID = line.lineId;
    request.cControls = line.controls;
    request.cbmxctrl = sizeof(MIXERCONTROLA);
    request.pamxctrl = records.data();
    if (mixerGetLineControlsA(mixerOf(mixer), &request, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ALL) !=
        MMSYSERR_NOERROR)
        return std::nullopt;
    std::vector<platform::MixerControlInfo> out;
    for (std::uint32_t i = 0; i < line.controls; ++i) out.push_back(controlOf(records[i]));
    return out;
}

std::optional<platform::MixerControlInfo> Win32Mixer::controlOfKind(platform::MixerHandle mixer,
                                                                    std::uint32_t lineId,
                                                                    platform::MixerControlKind kind) {
    MIXERCONTROLA record{};
    MIXERLINECONTROLSA request{};
    request.cbStruct = sizeof(request);
    request.dwLineID = lineId;
    request.dwControlType = typeOf(kind);
    request.cControls = 1;
    request.cbmxctrl = sizeof(MIXERCONTROLA);
    request.pamxctrl = &record;
    if (mixerGetLineControlsA(mixerOf(mixer), &request,
                              MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) != MMSYSERR_NOERROR)
        return std::nullopt;
    return controlOf(record);
}

bool Win32Mixer::read(platform::MixerHandle mixer, const platform::MixerValues& which,
                      std::span<std::int32_t> values) {
    if (values.size() < which.count()) return false;
    MIXERCONTROLDETAILS d = details(which, sizeof(std::int32_t), values.data());
    return mixerGetControlDetailsA(mixerOf(mixer), &d,
                                   MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
}

bool Win32Mixer::write(platform::MixerHandle mixer, const platform::MixerValues& which,
                       std::span<const std::int32_t> values) {
    if (values.size() < which.count()) return false;
    std::vector<std::int32_t> copy(values.begin(), values.begin() + static_cast<long>(which.count()));
    MIXERCONTROLDETAILS d = details(which, sizeof(std::int32_t), copy.data());
    return mixerSetControlDetails(mixerOf(mixer), &d,
                                  MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
}

std::optional<std::vector<platform::MixerListItem>> Win32Mixer::itemTexts(
    platform::MixerHandle mixer, const platform::MixerValues& which) {
    std::vector<MIXERCONTROLDETAILS_LISTTEXTA> texts(which.count());
    MIXERCONTROLDETAILS d = details(which, sizeof(MIXERCONTROLDETAILS_LISTTEXTA), texts.data());
    if (mixerGetControlDetailsA(mixerOf(mixer), &d,
                                MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_LISTTEXT) != MMSYSERR_NOERROR)
        return std::nullopt;
    std::vector<platform::MixerListItem> out;
    for (const auto& t : texts) out.push_back({t.dwParam1, t.dwParam2, fieldText(t.szName)});
    return out;
}

}  // namespace win32
