#include "support/fake_mixer.h"

#include <stdexcept>

namespace testing_support {

using namespace platform;

std::uint32_t FakeMixer::nextId_ = 1000;

FakeDestination destination(std::uint32_t lineId, std::uint32_t channels) {
    FakeDestination d;
    d.line.line.lineId = lineId;
    d.line.line.channels = channels;
    return d;
}

FakeLine source(std::uint32_t lineId, std::uint32_t channels) {
    FakeLine l;
    l.line.lineId = lineId;
    l.line.channels = channels;
    return l;
}

std::uint32_t FakeMixer::addControl(FakeLine& line, MixerControlKind kind, std::uint32_t flags,
                                    std::vector<std::int32_t> values, std::uint32_t items) {
    FakeControl c;
    c.control.id = nextId_++;
    c.control.kind = kind;
    c.control.listClass = kind == MixerControlKind::mixer || kind == MixerControlKind::mux;
    c.control.uniform = (flags & uniform) != 0;
    c.control.multiple = (flags & multiple) != 0;
    c.control.disabled = (flags & disabled) != 0;
    c.control.items = items;
    c.control.maximum = 65535;
    c.values = std::move(values);
    line.controls.push_back(c);
    return c.control.id;
}

FakeLine* FakeMixer::lineById(std::uint32_t id) {
    for (auto& d : destinations) {
        if (d.line.line.lineId == id) return &d.line;
        for (auto& s : d.sources)
            if (s.line.lineId == id) return &s;
    }
    return nullptr;
}

FakeControl& FakeMixer::control(std::uint32_t id) {
    for (auto& d : destinations) {
        for (auto& c : d.line.controls)
            if (c.control.id == id) return c;
        for (auto& s : d.sources)
            for (auto& c : s.controls)
                if (c.control.id == id) return c;
    }
    throw std::logic_error("no control " + std::to_string(id));
}

void FakeMixer::notify(MixerChange change, std::int32_t mixer, std::int32_t id) {
    if (handler_) handler_(change, mixer, id);
}

namespace {
class FakeNotifications : public MixerNotifications {
public:
    fw::WindowHandle window() const override { return 0xCB; }
};
}  // namespace

std::unique_ptr<MixerNotifications> FakeMixer::notifications(MixerChangeHandler handler) {
    handler_ = std::move(handler);
    return std::make_unique<FakeNotifications>();
}

std::optional<MixerHandle> FakeMixer::open(std::uint32_t device, fw::WindowHandle notify) {
    calls.push_back("open " + std::to_string(device) + " notify=" + std::to_string(notify));
    if (failingOpens > 0) {
        --failingOpens;
        return std::nullopt;
    }
    isOpen = true;
    return 0x4D;
}

void FakeMixer::close(MixerHandle) {
    calls.push_back("close");
    isOpen = false;
}

MixerDeviceInfo FakeMixer::describe(std::uint32_t device) {
    calls.push_back("describe " + std::to_string(device));
    MixerDeviceInfo out = info;
    out.destinations = static_cast<std::uint32_t>(destinations.size());
    return out;
}

std::optional<MixerLineInfo> FakeMixer::destination(MixerHandle, std::uint32_t index) {
    calls.push_back("destination " + std::to_string(index));
    if (index >= destinations.size()) return std::nullopt;
    FakeDestination& d = destinations[index];
    if (d.line.failInfo) return std::nullopt;
    MixerLineInfo out = d.line.line;
    out.destination = index;
    out.connections = static_cast<std::uint32_t>(d.sources.size());
    out.controls = static_cast<std::uint32_t>(d.line.controls.size());
    return out;
}

std::optional<MixerLineInfo> FakeMixer::source(MixerHandle, std::uint32_t destination, std::uint32_t index) {
    calls.push_back("source " + std::to_string(destination) + " " + std::to_string(index));
    if (destination >= destinations.size() || index >= destinations[destination].sources.size())
        return std::nullopt;
    FakeLine& l = destinations[destination].sources[index];
    if (l.failInfo) return std::nullopt;
    MixerLineInfo out = l.line;
    out.destination = destination;
    out.source = index;
    out.controls = static_cast<std::uint32_t>(l.controls.size());
    return out;
}

std::optional<std::vector<MixerControlInfo>> FakeMixer::controls(MixerHandle, const MixerLineInfo& line) {
    calls.push_back("controls " + std::to_string(line.lineId));
    FakeLine* l = lineById(line.lineId);
    if (!l || line.controls != l->controls.size()) return std::nullopt;
    std::vector<MixerControlInfo> out;
    for (const auto& c : l->controls) out.push_back(c.control);
    return out;
}

std::optional<MixerControlInfo> FakeMixer::controlOfKind(MixerHandle, std::uint32_t lineId,
                                                         MixerControlKind kind) {
    calls.push_back("control of kind " + std::to_string(static_cast<int>(kind)) + " on " +
                    std::to_string(lineId));
    FakeLine* l = lineById(lineId);
    if (!l) return std::nullopt;
    for (const auto& c : l->controls)
        if (c.control.kind == kind) return c.control;
    return std::nullopt;
}

bool FakeMixer::read(MixerHandle, const MixerValues& which, std::span<std::int32_t> values) {
    calls.push_back("get " + std::to_string(which.controlId) + " channels=" + std::to_string(which.channels) +
                    " items=" + std::to_string(which.items));
    FakeControl& c = control(which.controlId);
    if (c.failRead) return false;
    for (std::size_t i = 0; i < which.count(); ++i) values[i] = i < c.values.size() ? c.values[i] : 0;
    return true;
}

bool FakeMixer::write(MixerHandle, const MixerValues& which, std::span<const std::int32_t> values) {
    std::string call = "set " + std::to_string(which.controlId);
    for (std::size_t i = 0; i < which.count(); ++i) call += " " + std::to_string(values[i]);
    calls.push_back(call);
    FakeControl& c = control(which.controlId);
    if (c.failWrite) return false;
    ++c.writes;
    c.values.assign(values.begin(), values.begin() + static_cast<long>(which.count()));
    return true;
}

std::optional<std::vector<MixerListItem>> FakeMixer::itemTexts(MixerHandle, const MixerValues& which) {
    calls.push_back("texts " + std::to_string(which.controlId));
    FakeControl& c = control(which.controlId);
    if (c.failRead) return std::nullopt;
    std::vector<MixerListItem> out(which.count());
    for (std::size_t i = 0; i < out.size() && i < c.texts.size(); ++i) out[i] = c.texts[i];
    return out;
}

}  // namespace testing_support
