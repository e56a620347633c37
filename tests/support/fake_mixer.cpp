#include "support/fake_mixer.h"

#include <algorithm>
#include <stdexcept>

namespace testing_support {

using namespace platform;

std::uint32_t FakeMixer::nextId_ = 1000;

FakeDestination destination(std::uint32_t lineId, std::uint32_t channels) {
    FakeDestination d;
    d.line.line.dwLineID = lineId;
    d.line.line.cChannels = channels;
    return d;
}

FakeLine source(std::uint32_t lineId, std::uint32_t channels) {
    FakeLine l;
    l.line.dwLineID = lineId;
    l.line.cChannels = channels;
    return l;
}

std::uint32_t FakeMixer::addControl(FakeLine& line, std::uint32_t type, std::uint32_t flags,
                                    std::vector<std::int32_t> values, std::uint32_t items) {
    FakeControl c;
    c.control.dwControlID = nextId_++;
    c.control.dwControlType = type;
    c.control.fdwControl = flags;
    c.control.cMultipleItems = items;
    c.control.lMaximum = 65535;
    c.values = std::move(values);
    line.controls.push_back(c);
    return c.control.dwControlID;
}

FakeLine* FakeMixer::lineById(std::uint32_t id) {
    for (auto& d : destinations) {
        if (d.line.line.dwLineID == id) return &d.line;
        for (auto& s : d.sources)
            if (s.line.dwLineID == id) return &s;
    }
    return nullptr;
}

FakeControl& FakeMixer::control(std::uint32_t id) {
    for (auto& d : destinations) {
        for (auto& c : d.line.controls)
            if (c.control.dwControlID == id) return c;
        for (auto& s : d.sources)
            for (auto& c : s.controls)
                if (c.control.dwControlID == id) return c;
    }
    throw std::logic_error("no control " + std::to_string(id));
}

bool FakeMixer::notify(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
    return handler_ && handler_(msg, wParam, lParam);
}

MMRESULT FakeMixer::openDevice(MixerHandle* handle, std::uint32_t device, std::uintptr_t callback, std::uintptr_t,
                               std::uint32_t flags) {
    calls.push_back("open " + std::to_string(device) + " callback=" + std::to_string(callback) +
                    " flags=" + std::to_string(flags));
    if (failingOpens > 0) {
        --failingOpens;
        return MMSYSERR_ERROR;
    }
    open = true;
    *handle = 0x4D;
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMixer::closeDevice(MixerHandle) {
    calls.push_back("close");
    open = false;
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMixer::getDevCaps(std::uint32_t device, MixerCaps& out, std::uint32_t size) {
    calls.push_back("caps " + std::to_string(device) + " size=" + std::to_string(size));
    out = caps;
    out.cDestinations = static_cast<std::uint32_t>(destinations.size());
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMixer::getLineInfo(MixerHandle, MixerLine& line, std::uint32_t flags) {
    calls.push_back("lineinfo flags=" + std::to_string(flags) + " cb=" + std::to_string(line.cbStruct));
    if (line.dwDestination >= destinations.size()) return MMSYSERR_ERROR;
    FakeDestination& d = destinations[line.dwDestination];
    FakeLine* l = &d.line;
    if (flags == MIXER_GETLINEINFOF_SOURCE) {
        if (line.dwSource >= d.sources.size()) return MMSYSERR_ERROR;
        l = &d.sources[line.dwSource];
    }
    if (l->failInfo) return MMSYSERR_ERROR;
    MixerLine out = l->line;
    out.cbStruct = line.cbStruct;
    out.dwDestination = line.dwDestination;
    out.dwSource = flags == MIXER_GETLINEINFOF_SOURCE ? line.dwSource : 0;
    out.cConnections = flags == MIXER_GETLINEINFOF_SOURCE ? 0 : static_cast<std::uint32_t>(d.sources.size());
    out.cControls = static_cast<std::uint32_t>(l->controls.size());
    line = out;
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMixer::getLineControls(MixerHandle, MixerLineControls& lc, std::uint32_t flags) {
    calls.push_back("linecontrols flags=" + std::to_string(flags) + " cb=" + std::to_string(lc.cbStruct) +
                    " cbmxctrl=" + std::to_string(lc.cbmxctrl));
    FakeLine* l = lineById(lc.dwLineID);
    if (!l) return MMSYSERR_ERROR;
    if (flags == MIXER_GETLINECONTROLSF_ONEBYTYPE) {
        for (const auto& c : l->controls)
            if (c.control.dwControlType == lc.dwControlType) {
                lc.pamxctrl[0] = c.control;
                lc.pamxctrl[0].cbStruct = lc.cbmxctrl;
                return MMSYSERR_NOERROR;
            }
        return 1025;  // MIXERR_INVALCONTROL
    }
    if (lc.cControls != l->controls.size()) return MMSYSERR_ERROR;
    for (std::size_t i = 0; i < l->controls.size(); ++i) {
        lc.pamxctrl[i] = l->controls[i].control;
        lc.pamxctrl[i].cbStruct = lc.cbmxctrl;
    }
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMixer::getControlDetails(MixerHandle, ControlDetails& d, std::uint32_t flags) {
    calls.push_back("get " + std::to_string(d.dwControlID) + " flags=" + std::to_string(flags) +
                    " channels=" + std::to_string(d.cChannels) + " items=" + std::to_string(d.cMultipleItems) +
                    " cb=" + std::to_string(d.cbStruct) + "/" + std::to_string(d.cbDetails));
    FakeControl& c = control(d.dwControlID);
    if (c.failRead) return MMSYSERR_ERROR;
    const std::size_t count = static_cast<std::size_t>(d.cChannels) * (d.cMultipleItems ? d.cMultipleItems : 1);
    if (flags == MIXER_GETCONTROLDETAILSF_LISTTEXT) {
        auto* out = static_cast<ListText*>(d.paDetails);
        for (std::size_t i = 0; i < count && i < c.texts.size(); ++i) out[i] = c.texts[i];
        return MMSYSERR_NOERROR;
    }
    auto* out = static_cast<std::int32_t*>(d.paDetails);
    for (std::size_t i = 0; i < count; ++i) out[i] = i < c.values.size() ? c.values[i] : 0;
    return MMSYSERR_NOERROR;
}

MMRESULT FakeMixer::setControlDetails(MixerHandle, ControlDetails& d, std::uint32_t) {
    const std::size_t count = static_cast<std::size_t>(d.cChannels) * (d.cMultipleItems ? d.cMultipleItems : 1);
    const auto* in = static_cast<const std::int32_t*>(d.paDetails);
    std::string call = "set " + std::to_string(d.dwControlID);
    for (std::size_t i = 0; i < count; ++i) call += " " + std::to_string(in[i]);
    calls.push_back(call);
    FakeControl& c = control(d.dwControlID);
    if (c.failWrite) return MMSYSERR_ERROR;
    ++c.writes;
    c.values.assign(in, in + count);
    return MMSYSERR_NOERROR;
}

namespace {
class FakeCallbackWindow : public CallbackWindow {
public:
    fw::WindowHandle handle() const override { return 0xCB; }
};
}  // namespace

std::unique_ptr<CallbackWindow> FakeMixer::createCallbackWindow(CallbackHandler handler) {
    handler_ = std::move(handler);
    return std::make_unique<FakeCallbackWindow>();
}

}  // namespace testing_support
