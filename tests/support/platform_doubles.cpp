#include "support/platform_doubles.h"

#include <unistd.h>

#include <fstream>
#include <iterator>

namespace testing_support {
namespace {

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

PlatformDoubles::PlatformDoubles() {
    static int serialNumber = 0;
    dir = std::filesystem::temp_directory_path() /
          ("zav_program_" + std::to_string(::getpid()) + "_" + std::to_string(++serialNumber));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::filesystem::path resources = ZAV_RESOURCES_DIR;
    host.resources["SKIN"] = fileBytes(resources / "skin.bmp");
    host.resources["MASK2"] = fileBytes(resources / "mask2.bin");
    host.resources["STATUSPATCH"] = fileBytes(resources / "status_patch.bmp");
    host.resources["WEB_PAGE"] = fileBytes(resources / "web" / "index.html");
    host.resources["WEB_SCRIPT"] = fileBytes(resources / "web" / "app.js");
    host.resources["WEB_STYLE"] = fileBytes(resources / "web" / "style.css");
    host.resources["WEB_MANIFEST"] = fileBytes(resources / "web" / "manifest.webmanifest");
    host.resources["WEB_ICON"] = fileBytes(resources / "web" / "icon.svg");
    tray.windowsByCaption[app::applicationTitle] = 77;
    // The master output: stereo volume up to 65535 and a mute switch.
    FakeDestination master = destination(10, 2);
    masterVolume = FakeMixer::addControl(master.line, platform::MixerControlKind::volume, 0, {30000, 30000});
    masterMute = FakeMixer::addControl(master.line, platform::MixerControlKind::mute, 0, {0, 0});
    mixer.destinations.push_back(master);
    player.running = false;
}

PlatformDoubles::~PlatformDoubles() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}

app::Platform PlatformDoubles::platform() {
    return {host, serial, serial.messageBoxes(), tray, player, launcher, mixer, endpoint, regions, logon, files, sockets, keys, mediaKeys, crypto, network, folding};
}

void PlatformDoubles::writeIni(const std::string& ini) const {
    if (!ini.empty()) std::ofstream(iniPath(), std::ios::binary) << ini;
}

std::string PlatformDoubles::iniText() const {
    std::ifstream in(iniPath(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace testing_support
