#include <gtest/gtest.h>

#include "control/a_mixer.h"
#include "support/fake_mixer.h"

namespace {

using namespace control;
using platform::MixerChange;
using testing_support::FakeDestination;
using testing_support::FakeMixer;

constexpr auto VOLUME = platform::MixerControlKind::volume;
constexpr auto MUTE = platform::MixerControlKind::mute;
constexpr auto MUX = platform::MixerControlKind::mux;
constexpr auto MIXER = platform::MixerControlKind::mixer;
constexpr std::uint32_t UNIFORM = FakeMixer::uniform;
constexpr std::uint32_t MULTIPLE = FakeMixer::multiple;
constexpr std::uint32_t DISABLED = FakeMixer::disabled;

struct VolumeRead {
    bool result;
    std::int32_t left, right, mute;
    bool stereo, volumeUnavailable, muteUnavailable, fromSelector;
};

VolumeRead getVolume(TAudioMixer& m, std::int32_t destination, std::int32_t connection) {
    const TVolumeState s = m.GetVolume(destination, connection);
    return {s.Found,    s.LeftVolume,        s.RightVolume,     s.MuteState,
            s.IsStereo, s.VolumeUnavailable, s.MuteUnavailable, s.MuteFromSelector};
}

bool called(const FakeMixer& api, const std::string& call) {
    return std::find(api.calls.begin(), api.calls.end(), call) != api.calls.end();
}

// Master output: stereo volume, mute; sources: a line with its own volume
// and mute, and two lines without a mute that are items of a selector.
struct Tree {
    FakeMixer api;
    std::uint32_t volume, mute, sourceVolume, selector;
    explicit Tree(platform::MixerControlKind selectorType = MUX) {
        FakeDestination master = testing_support::destination(10, 2);
        volume = FakeMixer::addControl(master.line, VOLUME, 0, {30000, 20000});
        mute = FakeMixer::addControl(master.line, MUTE, 0, {0});
        // Selectors are uniform: one set of items for all channels.
        selector = FakeMixer::addControl(master.line, selectorType, MULTIPLE | UNIFORM, {0, 1, 0}, 3);
        api.destinations.push_back(master);
        auto& d = api.destinations[0];
        d.line.controls.back().texts = {{20, 0, "Line"}, {21, 0, "CD"}, {22, 0, "Mic"}};
        auto line = testing_support::source(20, 2);
        sourceVolume = FakeMixer::addControl(line, VOLUME, 0, {100, 200});
        FakeMixer::addControl(line, MUTE, 0, {1});
        d.sources.push_back(line);
        d.sources.push_back(testing_support::source(21, 2));
        d.sources.push_back(testing_support::source(22, 1));
        api.info.manufacturerId = 1;
        api.info.productId = 104;
        api.info.driverVersion = 0x0500;
        api.info.productName = "Stand-in mixer";
    }
};

TEST(AudioMixer, WithoutADeviceEverythingFailsWithNeutralValues) {
    FakeMixer api;
    api.devices = 0;
    TAudioMixer mixer(nullptr, "AudioMixer", api);
    EXPECT_EQ(mixer.MixerId(), -1);
    EXPECT_EQ(mixer.Destinations().Count(), 0);
    const VolumeRead r = getVolume(mixer, 0, -1);
    EXPECT_FALSE(r.result);
    EXPECT_EQ(r.left, -1);
    EXPECT_EQ(r.right, -1);
    EXPECT_EQ(r.mute, -1);
    EXPECT_FALSE(r.stereo);
    EXPECT_FALSE(r.fromSelector);
    EXPECT_TRUE(r.volumeUnavailable);
    EXPECT_TRUE(r.muteUnavailable);
    bool muted = true;
    EXPECT_FALSE(mixer.GetMute(0, -1, muted));
    EXPECT_FALSE(muted);
    EXPECT_FALSE(mixer.SetVolume(0, -1, 1000, 1000, 0));
    EXPECT_FALSE(mixer.SetMute(0, -1, true));
    EXPECT_TRUE(api.calls.empty());
}

TEST(AudioMixer, OpensDeviceZeroAndDescribesIt) {
    Tree t;
    TAudioMixer mixer(nullptr, "AudioMixer", t.api);
    EXPECT_EQ(mixer.MixerId(), 0);
    EXPECT_EQ(mixer.Manufacturer(), "Microsoft");
    EXPECT_EQ(mixer.ProductId(), 104);
    EXPECT_EQ(mixer.DriverVersion(), 0x0500);
    EXPECT_EQ(mixer.ProductName(), "Stand-in mixer");
    EXPECT_EQ(mixer.NumberOfLine(), 1);
    ASSERT_EQ(mixer.Destinations().Count(), 1);
    TMixerDestination* d = mixer.Destinations().Item(0);
    EXPECT_EQ(d->Connections.Count(), 3);
    EXPECT_EQ(d->Controls.Count(), 3);
    EXPECT_EQ(d->Controls.Item(0)->id, t.volume);
    EXPECT_EQ(d->Controls.Item(3), nullptr);
    EXPECT_EQ(t.api.calls.front(), "open 0 notify=203") << "with notifications to its own window";
    EXPECT_TRUE(called(t.api, "describe 0"));
    EXPECT_TRUE(called(t.api, "destination 0"));
    EXPECT_TRUE(called(t.api, "source 0 2"));
    EXPECT_TRUE(called(t.api, "controls 20")) << "the sources' controls too";

    t.api.info.manufacturerId = 2;
    mixer.setMixerId(0);
    EXPECT_EQ(mixer.Manufacturer(), "2 = Unknown") << "setting the id again reopens the device";
}

TEST(AudioMixer, InvalidIdsChangeNothingAndFailedOpensAreRetried) {
    Tree t;
    t.api.devices = 2;
    TAudioMixer mixer(nullptr, "AudioMixer", t.api);
    t.api.calls.clear();
    mixer.setMixerId(-1);
    mixer.setMixerId(2);
    EXPECT_EQ(mixer.MixerId(), 0);
    EXPECT_TRUE(t.api.calls.empty());

    t.api.failingOpens = 2;
    mixer.setMixerId(1);
    EXPECT_EQ(mixer.MixerId(), 1);
    EXPECT_EQ(
        std::vector<std::string>(t.api.calls.begin(), t.api.calls.begin() + 4),
        (std::vector<std::string>{"close", "open 1 notify=203", "open 1 notify=203", "open 1 notify=0"}));
    t.api.failingOpens = 3;
    mixer.setMixerId(0);
    EXPECT_EQ(mixer.MixerId(), -1);
    EXPECT_EQ(mixer.Destinations().Count(), 0);
    EXPECT_EQ(mixer.Manufacturer(), "Microsoft") << "the description keeps what it held";
}

TEST(AudioMixer, LineAndControlChangesReachTheEvents) {
    Tree t;
    TAudioMixer mixer(nullptr, "AudioMixer", t.api);
    std::vector<std::string> seen;
    mixer.OnControlChange = [&](fw::Component&, std::int32_t h, std::int32_t id) {
        seen.push_back("control " + std::to_string(h) + " " + std::to_string(id));
    };
    t.api.notify(MixerChange::line, 7, 8);
    t.api.notify(MixerChange::control, 77, 1001);
    EXPECT_EQ(seen, std::vector<std::string>{"control 77 1001"})
        << "a line change without a handler goes nowhere";
    mixer.OnLineChange = [&](fw::Component&, std::int32_t h, std::int32_t id) {
        seen.push_back("line " + std::to_string(h) + " " + std::to_string(id));
    };
    t.api.notify(MixerChange::line, 7, 8);
    EXPECT_EQ(seen.back(), "line 7 8");
}

TEST(AudioMixer, StereoMasterVolumeAndMute) {
    Tree t;
    TAudioMixer mixer(nullptr, "AudioMixer", t.api);
    VolumeRead r = getVolume(mixer, 0, -1);
    EXPECT_TRUE(r.result);
    EXPECT_EQ(r.left, 30000);
    EXPECT_EQ(r.right, 20000);
    EXPECT_TRUE(r.stereo);
    EXPECT_FALSE(r.volumeUnavailable);
    EXPECT_EQ(r.mute, 0);
    EXPECT_FALSE(r.muteUnavailable);
    EXPECT_FALSE(r.fromSelector);

    EXPECT_TRUE(mixer.SetVolume(0, -1, 1000, -1, -1));
    EXPECT_EQ(t.api.control(t.volume).values, (std::vector<std::int32_t>{1000, 1000}));
    EXPECT_EQ(t.api.control(t.mute).writes, 0);
    EXPECT_TRUE(mixer.SetVolume(0, -1, 70000, 5, 1));
    EXPECT_EQ(t.api.control(t.volume).values, (std::vector<std::int32_t>{70000, 5})) << "no clamping here";
    EXPECT_EQ(t.api.control(t.mute).values, (std::vector<std::int32_t>{1, 1})) << "every channel";
    EXPECT_TRUE(mixer.SetVolume(0, -1, -1, -1, 0));
    EXPECT_EQ(t.api.control(t.volume).writes, 2) << "volume -1 leaves the volume alone";
    EXPECT_EQ(t.api.control(t.mute).values, (std::vector<std::int32_t>{0, 0}));
    const auto writes = t.api.control(t.volume).writes + t.api.control(t.mute).writes;
    EXPECT_TRUE(mixer.SetVolume(0, -1, -1, -1, -1));
    EXPECT_EQ(t.api.control(t.volume).writes + t.api.control(t.mute).writes, writes)
        << "both -1 write nothing";

    bool muted = true;
    EXPECT_TRUE(mixer.GetMute(0, -1, muted));
    EXPECT_FALSE(muted);
    EXPECT_TRUE(mixer.SetMute(0, -1, true));
    EXPECT_TRUE(mixer.GetMute(0, -1, muted));
    EXPECT_TRUE(muted);
    t.api.control(t.mute).failWrite = true;
    EXPECT_FALSE(mixer.SetMute(0, -1, false)) << "a failed mute write is a failure";
    EXPECT_TRUE(mixer.SetVolume(0, -1, 5, 5, 0)) << "a failed write in SetVolume is ignored";
}

TEST(AudioMixer, MonoOrUniformVolumeHasOneChannel) {
    for (const bool uniform : {false, true}) {
        FakeMixer api;
        FakeDestination master = testing_support::destination(10, uniform ? 2 : 1);
        const auto id = FakeMixer::addControl(master.line, VOLUME, uniform ? UNIFORM : 0, {4000});
        api.destinations.push_back(master);
        TAudioMixer mixer(nullptr, "AudioMixer", api);
        const VolumeRead r = getVolume(mixer, 0, -1);
        EXPECT_EQ(r.left, 4000);
        EXPECT_EQ(r.right, 4000) << uniform;
        EXPECT_FALSE(r.stereo);
        EXPECT_EQ(r.mute, -1) << "no mute found";
        EXPECT_TRUE(r.muteUnavailable);
        EXPECT_TRUE(mixer.SetVolume(0, -1, 1234, 999, -1));
        EXPECT_EQ(api.control(id).values, std::vector<std::int32_t>{1234})
            << "only the left volume is written";
    }
}

TEST(AudioMixer, ALineWithoutControlsReadsUnavailable) {
    FakeMixer api;
    api.destinations.push_back(testing_support::destination(10, 2));
    TAudioMixer mixer(nullptr, "AudioMixer", api);
    const VolumeRead r = getVolume(mixer, 0, -1);
    EXPECT_TRUE(r.result);
    EXPECT_EQ(r.left, -1);
    EXPECT_EQ(r.right, -1);
    EXPECT_EQ(r.mute, -1);
    EXPECT_TRUE(r.volumeUnavailable);
    EXPECT_TRUE(r.muteUnavailable);
    EXPECT_TRUE(mixer.SetVolume(0, -1, 100, 100, 1));
    bool muted = true;
    EXPECT_FALSE(mixer.GetMute(0, -1, muted));
    EXPECT_FALSE(mixer.SetMute(0, -1, true));
}

TEST(AudioMixer, MuteReadingTwoIsMutedForGetVolumeButNotForGetMute) {
    FakeMixer api;
    FakeDestination master = testing_support::destination(10, 2);
    FakeMixer::addControl(master.line, MUTE, DISABLED, {2});
    api.destinations.push_back(master);
    TAudioMixer mixer(nullptr, "AudioMixer", api);
    const VolumeRead r = getVolume(mixer, 0, -1);
    EXPECT_EQ(r.mute, 1);
    EXPECT_TRUE(r.muteUnavailable) << "a disabled control counts as unavailable";
    bool muted = true;
    EXPECT_TRUE(mixer.GetMute(0, -1, muted));
    EXPECT_FALSE(muted);
}

TEST(AudioMixer, SourceWithItsOwnControls) {
    Tree t;
    TAudioMixer mixer(nullptr, "AudioMixer", t.api);
    const VolumeRead r = getVolume(mixer, 0, 0);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.right, 200);
    EXPECT_EQ(r.mute, 1);
    EXPECT_FALSE(r.fromSelector);
    bool muted = false;
    EXPECT_TRUE(mixer.GetMute(0, 0, muted));
    EXPECT_TRUE(muted);
}

TEST(AudioMixer, SourceWithoutMuteUsesItsItemInTheDestinationsMux) {
    Tree t;
    TAudioMixer mixer(nullptr, "AudioMixer", t.api);
    VolumeRead r = getVolume(mixer, 0, 1);  // "CD", item 1, selected
    EXPECT_TRUE(r.result);
    EXPECT_EQ(r.mute, 1);
    EXPECT_TRUE(r.fromSelector);
    EXPECT_FALSE(r.muteUnavailable);
    bool muted = false;
    EXPECT_TRUE(mixer.GetMute(0, 1, muted));
    EXPECT_TRUE(muted);
    EXPECT_TRUE(mixer.GetMute(0, 2, muted));
    EXPECT_FALSE(muted) << "item 2 is not selected";

    EXPECT_TRUE(mixer.SetMute(0, 2, true));
    EXPECT_EQ(t.api.control(t.selector).values, (std::vector<std::int32_t>{0, 0, 1})) << "a MUX selects one";
    EXPECT_TRUE(mixer.SetMute(0, 2, false));
    EXPECT_EQ(t.api.control(t.selector).values, (std::vector<std::int32_t>{0, 0, 0}));
    EXPECT_TRUE(mixer.SetVolume(0, 1, -1, -1, 1));
    EXPECT_EQ(t.api.control(t.selector).values, (std::vector<std::int32_t>{0, 1, 0}));
}

TEST(AudioMixer, SourceInAMixerListKeepsTheOtherItems) {
    Tree t(MIXER);
    TAudioMixer mixer(nullptr, "AudioMixer", t.api);
    EXPECT_TRUE(mixer.SetMute(0, 2, true));
    EXPECT_EQ(t.api.control(t.selector).values, (std::vector<std::int32_t>{0, 1, 1}));
    EXPECT_TRUE(mixer.SetVolume(0, 1, -1, -1, 0));
    EXPECT_EQ(t.api.control(t.selector).values, (std::vector<std::int32_t>{0, 0, 1}));
}

TEST(AudioMixer, SourceFoundInNoSelector) {
    Tree t;
    t.api.destinations[0].sources.push_back(testing_support::source(99, 2));
    TAudioMixer mixer(nullptr, "AudioMixer", t.api);
    const VolumeRead r = getVolume(mixer, 0, 3);
    EXPECT_TRUE(r.result);
    EXPECT_EQ(r.mute, -1);
    EXPECT_TRUE(r.muteUnavailable);
    bool muted = true;
    EXPECT_FALSE(mixer.GetMute(0, 3, muted));
    EXPECT_FALSE(muted);
}

TEST(AudioMixer, PositionsPastTheEndFailAndNegativeOnesAreListErrors) {
    Tree t;
    TAudioMixer mixer(nullptr, "AudioMixer", t.api);
    EXPECT_FALSE(getVolume(mixer, 1, -1).result);
    EXPECT_FALSE(getVolume(mixer, 0, 3).result);
    bool muted;
    EXPECT_FALSE(mixer.SetMute(0, 7, true));
    try {
        mixer.GetMute(-1, -1, muted);
        FAIL() << "no list error";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (-1)");
    }
    EXPECT_THROW(mixer.SetVolume(0, -2, 1, 1, 1), EListError);
}

TEST(AudioMixer, UnreadableLinesAreLeftOutAndTheOthersMoveUp) {
    Tree t;
    t.api.destinations[0].sources[0].failInfo = true;
    TAudioMixer mixer(nullptr, "AudioMixer", t.api);
    EXPECT_EQ(mixer.Destinations().Item(0)->Connections.Count(), 2);
    EXPECT_EQ(mixer.Destinations().Item(0)->Connections.Item(0)->Line.lineId, 21u);
}

TEST(AudioMixer, UnreadableControlsArePassedOverAndHugeOnesNeverOverrunTheBuffer) {
    FakeMixer api;
    FakeDestination master = testing_support::destination(10, 2);
    const auto broken = FakeMixer::addControl(master.line, VOLUME, 0, {1, 2});
    FakeMixer::addControl(master.line, VOLUME, 0, {300, 400});
    api.destinations.push_back(master);
    api.destinations[0].line.controls[0].failRead = true;
    // A selector of 60 items on a stereo line would need 120 values.
    const auto huge =
        FakeMixer::addControl(api.destinations[0].line, MUX, MULTIPLE, std::vector<std::int32_t>(120, 0), 60);
    api.destinations[0].sources.push_back(testing_support::source(20, 2));
    TAudioMixer mixer(nullptr, "AudioMixer", api);
    const VolumeRead r = getVolume(mixer, 0, -1);
    EXPECT_EQ(r.left, 300) << "the first readable volume control counts";
    EXPECT_EQ(api.control(broken).writes, 0);
    bool muted = true;
    EXPECT_FALSE(mixer.SetMute(0, 0, true));
    EXPECT_EQ(api.control(huge).writes, 0);
    for (const auto& call : api.calls) {
        EXPECT_EQ(call.find("get " + std::to_string(huge)), std::string::npos) << call;
        EXPECT_EQ(call.find("texts " + std::to_string(huge)), std::string::npos) << call;
    }
    EXPECT_FALSE(mixer.GetMute(0, 0, muted));
}

}  // namespace
