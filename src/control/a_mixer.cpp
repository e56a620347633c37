#include "control/a_mixer.h"

using namespace platform;

namespace {

constexpr std::uint32_t sizeofMixerCaps = 48;
constexpr std::uint32_t sizeofMixerLine = 168;
constexpr std::uint32_t sizeofLineControls = 24;
constexpr std::uint32_t sizeofMixerControl = 148;
constexpr std::uint32_t sizeofDetails = 24;
constexpr std::uint32_t sizeofListText = 72;

bool isType(const MixerControl& c, std::uint32_t type) { return c.dwControlType == type; }
bool isMultiple(const MixerControl& c) { return (c.fdwControl & MIXERCONTROL_CONTROLF_MULTIPLE) != 0; }
bool isDisabled(const MixerControl& c) { return (c.fdwControl & MIXERCONTROL_CONTROLF_DISABLED) != 0; }
bool isListClass(const MixerControl& c) { return (c.dwControlType & MIXERCONTROL_CT_CLASS_MASK) == MIXERCONTROL_CT_CLASS_LIST; }
bool isSelector(const MixerControl& c) {
    return isType(c, MIXERCONTROL_CONTROLTYPE_MIXER) || isType(c, MIXERCONTROL_CONTROLTYPE_MUX);
}

}  // namespace

TMixerControls::TMixerControls(TAudioMixer& mixer, const MixerLine& line) : block_(line.cControls) {
    if (block_.empty()) return;
    MixerLineControls lc;
    lc.cbStruct = sizeofLineControls;
    lc.dwLineID = line.dwLineID;
    lc.cControls = line.cControls;
    lc.cbmxctrl = sizeofMixerControl;
    lc.pamxctrl = block_.data();
    if (mixer.api().getLineControls(mixer.handle(), lc, MIXER_GETLINECONTROLSF_ALL) != MMSYSERR_NOERROR) return;
    for (MixerControl& c : block_) list_.Add(&c);
}

TMixerConnection::TMixerConnection(TAudioMixer& m, const MixerLine& line) : mixer(m), Line(line), Controls(m, line) {}

TMixerConnections::TMixerConnections(TAudioMixer& m, const MixerLine& destination) : mixer(m) {
    List.OnFreeItem = [](TMixerConnection* c) { delete c; };
    for (std::uint32_t s = 0; s < destination.cConnections; ++s) {
        MixerLine line;
        line.cbStruct = sizeofMixerLine;
        line.dwDestination = destination.dwDestination;
        line.dwSource = s;
        if (m.api().getLineInfo(m.handle(), line, MIXER_GETLINEINFOF_SOURCE) == MMSYSERR_NOERROR)
            List.Add(new TMixerConnection(m, line));
    }
}

TMixerDestination::TMixerDestination(TAudioMixer& m, const MixerLine& line)
    : mixer(m), Line(line), Controls(m, line), Connections(m, line) {}

TMixerDestinations::TMixerDestinations() {
    List.OnFreeItem = [](TMixerDestination* d) { delete d; };
}

TAudioMixer::TAudioMixer(fw::Component* owner, std::string name, MixerApi& api)
    : fw::Component(owner, std::move(name)), api_(api) {
    window_ = api_.createCallbackWindow(
        [this](unsigned msg, std::uintptr_t w, std::intptr_t l) { return callback(msg, w, l); });
    deviceCount_ = static_cast<std::int32_t>(api_.getNumDevs());
    mixerId_ = -1;
    if (deviceCount_ == 0)
        destinations_ = std::make_unique<TMixerDestinations>();
    else
        setMixerId(0);
}

TAudioMixer::~TAudioMixer() {
    closeDevice();
    window_.reset();
}

void TAudioMixer::closeDevice() {
    if (mixerId_ >= 0) {
        api_.closeDevice(handle_);
        mixerId_ = -1;
    }
    destinations_.reset();
}

void TAudioMixer::setMixerId(std::int32_t id) {
    if (id < 0 || id >= deviceCount_) return;
    closeDevice();
    const auto device = static_cast<std::uint32_t>(id);
    const std::uintptr_t callbackWindow = window_ ? window_->handle() : 0;
    // The driver sometimes refuses the first open with a callback; without
    // one the component still works, only without change notifications.
    MixerHandle h = 0;
    bool open = api_.openDevice(&h, device, callbackWindow, 0, CALLBACK_WINDOW) == MMSYSERR_NOERROR ||
                api_.openDevice(&h, device, callbackWindow, 0, CALLBACK_WINDOW) == MMSYSERR_NOERROR ||
                api_.openDevice(&h, device, 0, 0, 0) == MMSYSERR_NOERROR;
    if (!open) {
        destinations_ = std::make_unique<TMixerDestinations>();
        return;
    }
    handle_ = h;
    mixerId_ = id;
    api_.getDevCaps(device, caps_, sizeofMixerCaps);
    manufacturer_ = caps_.wMid == 1 ? "Microsoft" : std::to_string(caps_.wMid) + " = Unknown";

    destinations_ = std::make_unique<TMixerDestinations>();
    for (std::uint32_t d = 0; d < caps_.cDestinations; ++d) {
        MixerLine line;
        line.cbStruct = sizeofMixerLine;
        line.dwDestination = d;
        if (api_.getLineInfo(handle_, line, MIXER_GETLINEINFOF_DESTINATION) == MMSYSERR_NOERROR)
            destinations_->List.Add(new TMixerDestination(*this, line));
    }
}

bool TAudioMixer::callback(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
    const TMixerChange* event = msg == MM_MIXM_LINE_CHANGE      ? &OnLineChange
                                : msg == MM_MIXM_CONTROL_CHANGE ? &OnControlChange
                                                                : nullptr;
    if (!event) return false;
    if (*event) (*event)(*this, static_cast<std::int32_t>(wParam), static_cast<std::int32_t>(lParam));
    return true;
}

bool TAudioMixer::findLine(std::int32_t destination, std::int32_t connection, LineRef& ref) {
    TMixerDestination* d = destinations_->List.Item(destination);
    if (!d) return false;
    ref.destination = d;
    if (connection == -1) {
        ref.line = &d->Line;
        ref.controls = &d->Controls;
        return true;
    }
    // Below -1 is a caller's error: the list says so.
    TMixerConnection* c = d->Connections.List.Item(connection);
    if (!c) return false;
    ref.line = &c->Line;
    ref.controls = &c->Controls;
    ref.lineId = c->Line.dwLineID;
    return true;
}

std::uint32_t TAudioMixer::channelsFor(const MixerControl& c, const MixerLine& line) {
    return (c.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) ? 1 : line.cChannels;
}

std::uint32_t TAudioMixer::itemsFor(const MixerControl& c) {
    return isListClass(c) && isMultiple(c) ? c.cMultipleItems : 0;
}

bool TAudioMixer::transferValues(const MixerControl& c, std::uint32_t channels, Values& values, bool write) {
    const std::uint32_t items = itemsFor(c);
    // A control needing more values than the buffer holds is passed over.
    if (static_cast<std::uint64_t>(channels) * (items ? items : 1) > valueCapacity) return false;
    ControlDetails d;
    d.cbStruct = sizeofDetails;
    d.dwControlID = c.dwControlID;
    d.cChannels = channels;
    d.cMultipleItems = items;
    d.cbDetails = 4;
    d.paDetails = values.data();
    const MMRESULT r = write ? api_.setControlDetails(handle_, d, MIXER_SETCONTROLDETAILSF_VALUE)
                             : api_.getControlDetails(handle_, d, MIXER_GETCONTROLDETAILSF_VALUE);
    return r == MMSYSERR_NOERROR;
}

std::int32_t TAudioMixer::itemOf(const MixerControl& c, const MixerLine& destination, std::uint32_t connectionLineId) {
    const std::uint32_t channels = channelsFor(c, destination);
    const std::uint32_t items = itemsFor(c);
    if (channels == 0 || items == 0 || static_cast<std::uint64_t>(channels) * items > valueCapacity) return -1;
    std::vector<ListText> texts(static_cast<std::size_t>(channels) * items);
    ControlDetails d;
    d.cbStruct = sizeofDetails;
    d.dwControlID = c.dwControlID;
    d.cChannels = channels;
    d.cMultipleItems = items;
    d.cbDetails = sizeofListText;
    d.paDetails = texts.data();
    if (api_.getControlDetails(handle_, d, MIXER_GETCONTROLDETAILSF_LISTTEXT) != MMSYSERR_NOERROR) return -1;
    for (std::uint32_t k = channels - 1; k < items; k += channels)
        if (texts[k].dwParam1 == connectionLineId) return static_cast<std::int32_t>(k);
    return -1;
}

bool TAudioMixer::GetVolume(std::int32_t Destination, std::int32_t Connection, std::int32_t& LeftVolume,
                            std::int32_t& RightVolume, std::int32_t& MuteState, bool& IsStereo,
                            bool& VolumeUnavailable, bool& MuteUnavailable, bool& MuteFromSelector) {
    IsStereo = false;
    VolumeUnavailable = true;
    MuteUnavailable = true;
    LeftVolume = -1;
    RightVolume = -1;
    MuteState = -1;
    MuteFromSelector = false;
    LineRef ref;
    if (!findLine(Destination, Connection, ref)) return false;

    // Read into locals: the caller may pass one variable for both volumes.
    std::int32_t left = -1, right = -1, mute = -1;
    auto& controls = ref.controls->List();
    for (std::int32_t i = 0; i < controls.Count() && (left == -1 || mute == -1); ++i) {
        const MixerControl& c = *controls.Item(i);
        const bool volume = isType(c, MIXERCONTROL_CONTROLTYPE_VOLUME);
        const bool muteControl = isType(c, MIXERCONTROL_CONTROLTYPE_MUTE);
        if ((!volume && !muteControl) || isMultiple(c)) continue;
        if ((volume && left != -1) || (muteControl && mute != -1)) continue;
        const std::uint32_t channels = channelsFor(c, *ref.line);
        Values values{};
        if (!readValues(c, channels, values)) continue;
        if (volume) {
            VolumeUnavailable = isDisabled(c);
            left = values[0];
            if (channels > 1) {
                right = values[1];
                IsStereo = true;
            } else {
                right = left;
            }
        } else {
            MuteUnavailable = isDisabled(c);
            mute = values[0] != 0 ? 1 : 0;
        }
    }
    if (mute == -1 && Connection != -1) {
        auto& destinationControls = ref.destination->Controls.List();
        for (std::int32_t i = 0; i < destinationControls.Count() && mute == -1; ++i) {
            const MixerControl& c = *destinationControls.Item(i);
            if (!isListClass(c)) continue;
            Values values{};
            if (!readValues(c, channelsFor(c, ref.destination->Line), values)) continue;
            const std::int32_t k = itemOf(c, ref.destination->Line, ref.lineId);
            if (k < 0) continue;
            mute = values[static_cast<std::size_t>(k)];
            MuteUnavailable = isDisabled(c);
            MuteFromSelector = true;
        }
    }
    LeftVolume = left;
    RightVolume = right;
    MuteState = mute;
    return true;
}

bool TAudioMixer::SetVolume(std::int32_t Destination, std::int32_t Connection, std::int32_t LeftVolume,
                            std::int32_t RightVolume, std::int32_t MuteState) {
    LineRef ref;
    if (!findLine(Destination, Connection, ref)) return false;
    bool volumePending = LeftVolume != -1;
    bool mutePending = MuteState != -1;
    auto& controls = ref.controls->List();
    for (std::int32_t i = 0; i < controls.Count() && (volumePending || mutePending); ++i) {
        const MixerControl& c = *controls.Item(i);
        if (isMultiple(c)) continue;
        const std::uint32_t channels = channelsFor(c, *ref.line);
        Values values{};
        if (volumePending && isType(c, MIXERCONTROL_CONTROLTYPE_VOLUME)) {
            // Channels past the second take the right channel's value.
            const std::int32_t right = RightVolume == -1 ? LeftVolume : RightVolume;
            values.fill(right);
            values[0] = LeftVolume;
            writeValues(c, channels, values);
            volumePending = false;
        } else if (mutePending && isType(c, MIXERCONTROL_CONTROLTYPE_MUTE)) {
            values.fill(MuteState);
            writeValues(c, channels, values);
            mutePending = false;
        }
    }
    if (mutePending && Connection != -1) {
        auto& destinationControls = ref.destination->Controls.List();
        for (std::int32_t i = 0; i < destinationControls.Count(); ++i) {
            const MixerControl& c = *destinationControls.Item(i);
            if (!isSelector(c)) continue;
            // Only the first selector of the destination is tried.
            const std::uint32_t channels = channelsFor(c, ref.destination->Line);
            Values values{};
            readValues(c, channels, values);
            if (isType(c, MIXERCONTROL_CONTROLTYPE_MUX))
                for (std::uint32_t k = 0; k < c.cMultipleItems && k < valueCapacity; ++k) values[k] = 0;
            const std::int32_t k = itemOf(c, ref.destination->Line, ref.lineId);
            if (k >= 0) {
                values[static_cast<std::size_t>(k)] = MuteState;
                writeValues(c, channels, values);
            }
            break;
        }
    }
    return true;
}

bool TAudioMixer::findMuteControl(const MixerLine& line, MixerControl& found) {
    MixerLineControls lc;
    lc.cbStruct = sizeofLineControls;
    lc.dwLineID = line.dwLineID;
    lc.dwControlType = MIXERCONTROL_CONTROLTYPE_MUTE;
    lc.cControls = 1;
    lc.cbmxctrl = sizeofMixerControl;
    lc.pamxctrl = &found;
    return api_.getLineControls(handle_, lc, MIXER_GETLINECONTROLSF_ONEBYTYPE) == MMSYSERR_NOERROR;
}

bool TAudioMixer::GetMute(std::int32_t Destination, std::int32_t Connection, bool& Muted) {
    Muted = false;
    LineRef ref;
    if (!findLine(Destination, Connection, ref)) return false;
    MixerControl mute;
    if (findMuteControl(*ref.line, mute)) {
        Values values{};
        if (!readValues(mute, 1, values)) return false;
        Muted = values[0] == 1;
        return true;
    }
    if (Connection == -1) return false;
    auto& destinationControls = ref.destination->Controls.List();
    for (std::int32_t i = 0; i < destinationControls.Count(); ++i) {
        const MixerControl& c = *destinationControls.Item(i);
        if (!isSelector(c)) continue;
        Values values{};
        readValues(c, channelsFor(c, ref.destination->Line), values);
        const std::int32_t k = itemOf(c, ref.destination->Line, ref.lineId);
        if (k < 0) continue;
        Muted = values[static_cast<std::size_t>(k)] != 0;
        return true;
    }
    return false;
}

bool TAudioMixer::SetMute(std::int32_t Destination, std::int32_t Connection, bool Muted) {
    LineRef ref;
    if (!findLine(Destination, Connection, ref)) return false;
    MixerControl mute;
    if (findMuteControl(*ref.line, mute)) {
        Values values{};
        values[0] = Muted ? 1 : 0;
        return writeValues(mute, 1, values);
    }
    if (Connection == -1) return false;
    auto& destinationControls = ref.destination->Controls.List();
    for (std::int32_t i = 0; i < destinationControls.Count(); ++i) {
        const MixerControl& c = *destinationControls.Item(i);
        if (!isSelector(c)) continue;
        const std::uint32_t channels = channelsFor(c, ref.destination->Line);
        Values values{};
        if (!readValues(c, channels, values)) continue;
        if (isType(c, MIXERCONTROL_CONTROLTYPE_MUX))
            for (std::uint32_t k = 0; k < c.cMultipleItems && k < valueCapacity; ++k) values[k] = 0;
        if (Muted) {
            const std::int32_t k = itemOf(c, ref.destination->Line, ref.lineId);
            if (k >= 0) values[static_cast<std::size_t>(k)] = 1;
        }
        if (writeValues(c, channels, values)) return true;
    }
    return false;
}

bool TAudioMixer::VolumeRange(std::int32_t Destination, std::int32_t Connection, std::int32_t& Minimum,
                              std::int32_t& Maximum) {
    LineRef ref;
    if (!findLine(Destination, Connection, ref)) return false;
    auto& controls = ref.controls->List();
    for (std::int32_t i = 0; i < controls.Count(); ++i) {
        const MixerControl& c = *controls.Item(i);
        if (!isType(c, MIXERCONTROL_CONTROLTYPE_VOLUME) || isMultiple(c)) continue;
        Minimum = c.lMinimum;
        Maximum = c.lMaximum;
        return true;
    }
    return false;
}
