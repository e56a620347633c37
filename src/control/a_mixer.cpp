#include "control/a_mixer.h"

namespace control {

using platform::MixerControlInfo;
using platform::MixerControlKind;
using platform::MixerLineInfo;
using platform::MixerValues;

namespace {

bool isSelector(const MixerControlInfo& c) {
    return c.kind == MixerControlKind::mixer || c.kind == MixerControlKind::mux;
}

}  // namespace

TMixerControls::TMixerControls(platform::MixerDevices& devices, platform::MixerHandle mixer,
                               const MixerLineInfo& line) {
    if (line.controls == 0) return;
    if (auto controls = devices.controls(mixer, line)) block_ = std::move(*controls);
}

const MixerControlInfo* TMixerControls::Item(std::int32_t index) const {
    if (index < 0) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return static_cast<std::size_t>(index) < block_.size() ? &block_[static_cast<std::size_t>(index)]
                                                           : nullptr;
}

TMixerDestination::TMixerDestination(platform::MixerDevices& devices, platform::MixerHandle mixer,
                                     const MixerLineInfo& line)
    : Line(line), Controls(devices, mixer, line) {
    for (std::uint32_t s = 0; s < line.connections; ++s)
        if (auto source = devices.source(mixer, line.destination, s))
            Connections.Add(std::make_unique<TMixerConnection>(devices, mixer, *source));
}

TAudioMixer::TAudioMixer(fw::Component* owner, std::string name, platform::MixerDevices& devices)
    : fw::Component(owner, std::move(name)), devices_(devices) {
    notifications_ = devices_.notifications([this](platform::MixerChange change, std::int32_t mixer,
                                                   std::int32_t id) { changed(change, mixer, id); });
    deviceCount_ = static_cast<std::int32_t>(devices_.count());
    if (deviceCount_ > 0) setMixerId(0);
}

TAudioMixer::~TAudioMixer() {
    closeDevice();
    notifications_.reset();
}

void TAudioMixer::closeDevice() {
    if (mixerId_ >= 0) {
        devices_.close(handle_);
        mixerId_ = -1;
    }
    destinations_.Clear();
}

void TAudioMixer::setMixerId(std::int32_t id) {
    if (id < 0 || id >= deviceCount_) return;
    closeDevice();
    const auto device = static_cast<std::uint32_t>(id);
    const fw::WindowHandle notify = notifications_ ? notifications_->window() : 0;
    // The driver sometimes refuses the first open with notifications;
    // without them the component still works, only unaware of changes.
    std::optional<platform::MixerHandle> h = devices_.open(device, notify);
    if (!h) h = devices_.open(device, notify);
    if (!h) h = devices_.open(device, 0);
    if (!h) return;
    handle_ = *h;
    mixerId_ = id;
    info_ = devices_.describe(device);
    manufacturer_ =
        info_.manufacturerId == 1 ? "Microsoft" : std::to_string(info_.manufacturerId) + " = Unknown";
    for (std::uint32_t d = 0; d < info_.destinations; ++d)
        if (auto line = devices_.destination(handle_, d))
            destinations_.Add(std::make_unique<TMixerDestination>(devices_, handle_, *line));
}

void TAudioMixer::changed(platform::MixerChange change, std::int32_t mixer, std::int32_t id) {
    const TMixerChange& event = change == platform::MixerChange::line ? OnLineChange : OnControlChange;
    if (event) event(*this, mixer, id);
}

std::optional<TAudioMixer::LineRef> TAudioMixer::findLine(std::int32_t destination, std::int32_t connection) {
    TMixerDestination* d = destinations_.Item(destination);
    if (!d) return std::nullopt;
    if (connection == -1) return LineRef{d, &d->Line, &d->Controls};
    // Below -1 is a caller's error: the list says so.
    TMixerConnection* c = d->Connections.Item(connection);
    if (!c) return std::nullopt;
    return LineRef{d, &c->Line, &c->Controls};
}

MixerValues TAudioMixer::which(const MixerControlInfo& c, const MixerLineInfo& line) const {
    return {c.id, c.uniform ? 1 : line.channels, c.listClass && c.multiple ? c.items : 0};
}

bool TAudioMixer::readValues(const MixerValues& which, Values& values) {
    // A control needing more values than the buffer holds is passed over.
    if (which.count() > valueCapacity) return false;
    return devices_.read(handle_, which, values);
}

bool TAudioMixer::writeValues(const MixerValues& which, const Values& values) {
    if (which.count() > valueCapacity) return false;
    return devices_.write(handle_, which, values);
}

TAudioMixer::Selection TAudioMixer::readSelection(const MixerControlInfo& c, const LineRef& ref,
                                                  bool lookUpItem) {
    Selection s;
    const MixerValues w = which(c, ref.destination->Line);
    s.valuesRead = readValues(w, s.values);
    if (!lookUpItem || w.channels == 0 || w.items == 0 || w.count() > valueCapacity) return s;
    const auto texts = devices_.itemTexts(handle_, w);
    if (!texts) return s;
    // Each channel lists every item; the line is found in the last channel's column.
    for (std::size_t k = w.channels - 1; k < w.items && k < texts->size(); k += w.channels)
        if ((*texts)[k].lineId == ref.line->lineId) {
            s.item = k;
            break;
        }
    return s;
}

bool TAudioMixer::writeSelection(const MixerControlInfo& c, const LineRef& ref, Selection& s,
                                 std::int32_t state) {
    // A MUX selects exactly one item: the others are cleared first.
    if (c.kind == MixerControlKind::mux)
        for (std::size_t k = 0; k < c.items && k < valueCapacity; ++k) s.values[k] = 0;
    if (s.item) s.values[*s.item] = state;
    return writeValues(which(c, ref.destination->Line), s.values);
}

TVolumeState TAudioMixer::GetVolume(std::int32_t Destination, std::int32_t Connection) {
    TVolumeState r;
    const auto ref = findLine(Destination, Connection);
    if (!ref) return r;
    r.Found = true;

    for (const MixerControlInfo& c : ref->controls->all()) {
        if (r.LeftVolume != -1 && r.MuteState != -1) break;
        const bool volume = c.kind == MixerControlKind::volume;
        const bool mute = c.kind == MixerControlKind::mute;
        if ((!volume && !mute) || c.multiple) continue;
        if ((volume && r.LeftVolume != -1) || (mute && r.MuteState != -1)) continue;
        const MixerValues w = which(c, *ref->line);
        Values values{};
        if (!readValues(w, values)) continue;
        if (volume) {
            r.VolumeUnavailable = c.disabled;
            r.LeftVolume = values[0];
            r.IsStereo = w.channels > 1;
            r.RightVolume = r.IsStereo ? values[1] : r.LeftVolume;
        } else {
            r.MuteUnavailable = c.disabled;
            r.MuteState = values[0] != 0 ? 1 : 0;
        }
    }
    if (r.MuteState != -1 || Connection == -1) return r;
    for (const MixerControlInfo& c : ref->destination->Controls.all()) {
        if (!c.listClass) continue;
        const Selection s = readSelection(c, *ref, true);
        if (!s.valuesRead || !s.item) continue;
        r.MuteState = s.values[*s.item];
        r.MuteUnavailable = c.disabled;
        r.MuteFromSelector = true;
        break;
    }
    return r;
}

bool TAudioMixer::SetVolume(std::int32_t Destination, std::int32_t Connection, std::int32_t LeftVolume,
                            std::int32_t RightVolume, std::int32_t MuteState) {
    const auto ref = findLine(Destination, Connection);
    if (!ref) return false;
    bool volumePending = LeftVolume != -1;
    bool mutePending = MuteState != -1;
    for (const MixerControlInfo& c : ref->controls->all()) {
        if (!volumePending && !mutePending) break;
        if (c.multiple) continue;
        Values values{};
        if (volumePending && c.kind == MixerControlKind::volume) {
            // Channels past the second take the right channel's value.
            values.fill(RightVolume == -1 ? LeftVolume : RightVolume);
            values[0] = LeftVolume;
            writeValues(which(c, *ref->line), values);
            volumePending = false;
        } else if (mutePending && c.kind == MixerControlKind::mute) {
            values.fill(MuteState);
            writeValues(which(c, *ref->line), values);
            mutePending = false;
        }
    }
    if (!mutePending || Connection == -1) return true;
    for (const MixerControlInfo& c : ref->destination->Controls.all()) {
        if (!isSelector(c)) continue;
        // Only the first selector of the destination is tried.
        Selection s = readSelection(c, *ref, true);
        if (s.item) writeSelection(c, *ref, s, MuteState);
        break;
    }
    return true;
}

bool TAudioMixer::GetMute(std::int32_t Destination, std::int32_t Connection, bool& Muted) {
    Muted = false;
    const auto ref = findLine(Destination, Connection);
    if (!ref) return false;
    if (const auto mute = devices_.controlOfKind(handle_, ref->line->lineId, MixerControlKind::mute)) {
        Values values{};
        if (!readValues({mute->id, 1, 0}, values)) return false;
        Muted = values[0] == 1;
        return true;
    }
    if (Connection == -1) return false;
    for (const MixerControlInfo& c : ref->destination->Controls.all()) {
        if (!isSelector(c)) continue;
        const Selection s = readSelection(c, *ref, true);
        if (!s.item) continue;
        Muted = s.values[*s.item] != 0;
        return true;
    }
    return false;
}

bool TAudioMixer::SetMute(std::int32_t Destination, std::int32_t Connection, bool Muted) {
    const auto ref = findLine(Destination, Connection);
    if (!ref) return false;
    if (const auto mute = devices_.controlOfKind(handle_, ref->line->lineId, MixerControlKind::mute)) {
        Values values{};
        values[0] = Muted ? 1 : 0;
        return writeValues({mute->id, 1, 0}, values);
    }
    if (Connection == -1) return false;
    for (const MixerControlInfo& c : ref->destination->Controls.all()) {
        if (!isSelector(c)) continue;
        Selection s = readSelection(c, *ref, Muted);
        if (!s.valuesRead) continue;
        if (writeSelection(c, *ref, s, 1)) return true;
    }
    return false;
}

std::optional<TVolumeRange> TAudioMixer::VolumeRange(std::int32_t Destination, std::int32_t Connection) {
    const auto ref = findLine(Destination, Connection);
    if (!ref) return std::nullopt;
    for (const MixerControlInfo& c : ref->controls->all())
        if (c.kind == MixerControlKind::volume && !c.multiple) return TVolumeRange{c.minimum, c.maximum};
    return std::nullopt;
}

}  // namespace control
