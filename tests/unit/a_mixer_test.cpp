#include <gtest/gtest.h>

#include "control/a_mixer.h"
#include "support/fake_mixer.h"

namespace {

using namespace platform;
using testing_support::FakeDestination;
using testing_support::FakeMixer;

constexpr std::uint32_t VOLUME = MIXERCONTROL_CONTROLTYPE_VOLUME;
constexpr std::uint32_t MUTE = MIXERCONTROL_CONTROLTYPE_MUTE;
constexpr std::uint32_t MUX = MIXERCONTROL_CONTROLTYPE_MUX;
constexpr std::uint32_t MIXER = MIXERCONTROL_CONTROLTYPE_MIXER;
constexpr std::uint32_t UNIFORM = MIXERCONTROL_CONTROLF_UNIFORM;
constexpr std::uint32_t MULTIPLE = MIXERCONTROL_CONTROLF_MULTIPLE;
constexpr std::uint32_t DISABLED = MIXERCONTROL_CONTROLF_DISABLED;

struct VolumeRead {
    bool result;
    std::int32_t left = -7, right = -7, mute = -7;
    bool stereo = true, volumeUnavailable = false, muteUnavailable = false, fromSelector = true;
};

VolumeRead getVolume(TAudioMixer& m, std::int32_t destination, std::int32_t connection) {
    VolumeRead r{};
    r.result = m.GetVolume(destination, connection, r.left, r.right, r.mute, r.stereo, r.volumeUnavailable,
                           r.muteUnavailable, r.fromSelector);
    return r;
}

// Master output: stereo volume, mute; sources: a line with its own volume
// and mute, and two lines without a mute that are items of a selector.
struct Tree {
    FakeMixer api;
    std::uint32_t volume, mute, sourceVolume, selector;
    Tree(std::uint32_t selectorType = MUX) {
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
        api.caps.wMid = 1;
        api.caps.wPid = 104;
        api.caps.vDriverVersion = 0x0500;
        api.caps.szPname = "Stand-in mixer";
    }
};

TEST(AudioMixer, WithoutADeviceEverythingFailsWithNeutralValues) {
    FakeMixer api;
    api.devices = 0;
    TAudioMixer mixer(nullptr, "AudioMixer", api);
    EXPECT_EQ(mixer.MixerId(), -1);
    EXPECT_EQ(mixer.Destinations().List.Count(), 0);
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
    ASSERT_EQ(mixer.Destinations().List.Count(), 1);
    TMixerDestination* d = mixer.Destinations().List.Item(0);
    EXPECT_EQ(d->Connections.List.Count(), 3);
    EXPECT_EQ(d->Controls.List().Count(), 3);
    EXPECT_EQ(d->Controls.List().Item(0)->dwControlID, t.volume);
    EXPECT_EQ(t.api.calls.front(), "open 0 callback=203 flags=65536");
    EXPECT_NE(std::find(t.api.calls.begin(), t.api.calls.end(), "caps 0 size=48"), t.api.calls.end());
    EXPECT_NE(std::find(t.api.calls.begin(), t.api.calls.end(), "lineinfo flags=0 cb=168"), t.api.calls.end());
    EXPECT_NE(std::find(t.api.calls.begin(), t.api.calls.end(), "linecontrols flags=0 cb=24 cbmxctrl=148"),
              t.api.calls.end());

    t.api.caps.wMid = 2;
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
    EXPECT_EQ(std::vector<std::string>(t.api.calls.begin(), t.api.calls.begin() + 4),
              (std::vector<std::string>{"close", "open 1 callback=203 flags=65536", "open 1 callback=203 flags=65536",
                                        "open 1 callback=0 flags=0"}));
    t.api.failingOpens = 3;
    mixer.setMixerId(0);
    EXPECT_EQ(mixer.MixerId(), -1);
    EXPECT_EQ(mixer.Destinations().List.Count(), 0);
    EXPECT_EQ(mixer.Manufacturer(), "Microsoft") << "the description keeps what it held";
}

TEST(AudioMixer, LineAndControlChangesReachTheEvents) {
    Tree t;
    TAudioMixer mixer(nullptr, "AudioMixer", t.api);
    std::vector<std::string> seen;
    mixer.OnControlChange = [&](fw::Component&, std::int32_t h, std::int32_t id) {
        seen.push_back("control " + std::to_string(h) + " " + std::to_string(id));
    };
    EXPECT_TRUE(t.api.notify(MM_MIXM_LINE_CHANGE, 7, 8)) << "taken even without a handler";
    EXPECT_TRUE(t.api.notify(MM_MIXM_CONTROL_CHANGE, 77, 1001));
    EXPECT_FALSE(t.api.notify(15, 0, 0));
    EXPECT_EQ(seen, std::vector<std::string>{"control 77 1001"});
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

    // The main window passes one variable for both volumes: it ends holding the right one.
    std::int32_t v = 0, mute = 0;
    bool a, b, c, d;
    ASSERT_TRUE(mixer.GetVolume(0, -1, v, v, mute, a, b, c, d));
    EXPECT_EQ(v, 20000);

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
    EXPECT_EQ(t.api.control(t.volume).writes + t.api.control(t.mute).writes, writes) << "both -1 write nothing";

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
        EXPECT_EQ(api.control(id).values, std::vector<std::int32_t>{1234}) << "only the left volume is written";
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
    EXPECT_EQ(mixer.Destinations().List.Item(0)->Connections.List.Count(), 2);
    EXPECT_EQ(mixer.Destinations().List.Item(0)->Connections.List.Item(0)->Line.dwLineID, 21u);
}

TEST(AudioMixer, UnreadableControlsArePassedOverAndHugeOnesNeverOverrunTheBuffer) {
    FakeMixer api;
    FakeDestination master = testing_support::destination(10, 2);
    const auto broken = FakeMixer::addControl(master.line, VOLUME, 0, {1, 2});
    FakeMixer::addControl(master.line, VOLUME, 0, {300, 400});
    api.destinations.push_back(master);
    api.destinations[0].line.controls[0].failRead = true;
    // A selector of 60 items on a stereo line would need 120 values.
    const auto huge = FakeMixer::addControl(api.destinations[0].line, MUX, MULTIPLE, std::vector<std::int32_t>(120, 0), 60);
    api.destinations[0].sources.push_back(testing_support::source(20, 2));
    TAudioMixer mixer(nullptr, "AudioMixer", api);
    const VolumeRead r = getVolume(mixer, 0, -1);
    EXPECT_EQ(r.left, 300) << "the first readable volume control counts";
    EXPECT_EQ(api.control(broken).writes, 0);
    bool muted = true;
    EXPECT_FALSE(mixer.SetMute(0, 0, true));
    EXPECT_EQ(api.control(huge).writes, 0);
    for (const auto& call : api.calls) EXPECT_EQ(call.find("get " + std::to_string(huge)), std::string::npos) << call;
    EXPECT_FALSE(mixer.GetMute(0, 0, muted));
}

}  // namespace
