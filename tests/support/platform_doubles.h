// Every system service the program runs on, doubled, with a folder of the
// test's own for the settings file and the real pictures from
// src/resources: what the whole program and its core are made on in tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "app/core.h"
#include "support/fake_control.h"
#include "support/fake_endpoint.h"
#include "support/fake_keys.h"
#include "support/fake_mixer.h"
#include "support/fake_network.h"
#include "support/fake_serial.h"
#include "support/fake_sockets.h"
#include "support/fake_tray.h"
#include "support/headless_host.h"
#include "support/recording_files.h"
#include "support/system_crypto.h"
#include "support/system_folding.h"

namespace testing_support {

class PlatformDoubles {
public:
    PlatformDoubles();
    virtual ~PlatformDoubles();
    PlatformDoubles(const PlatformDoubles&) = delete;
    PlatformDoubles& operator=(const PlatformDoubles&) = delete;

    app::Platform platform();
    std::filesystem::path iniPath() const { return dir / "ir_zav.ini"; }
    // Writes ir_zav.ini, unless the text is empty.
    void writeIni(const std::string& ini) const;
    std::string iniText() const;

    std::filesystem::path dir;
    HeadlessHost host;
    FakeSerial serial;
    FakeTray tray;
    FakePlayer player;
    FakeLauncher launcher;
    FakeMixer mixer;
    FakeEndpoint endpoint;
    FakeRegions regions;
    FakeRunAtLogon logon;
    RecordingFiles files;
    FakeSockets sockets;
    FakeKeys keys;
    FakeMediaKeys mediaKeys;
    SystemCrypto crypto;
    FakeNetwork network;
    SystemFolding folding;
    // The old mixer's master output: its volume and mute controls.
    std::uint32_t masterVolume = 0;
    std::uint32_t masterMute = 0;
};

}  // namespace testing_support
