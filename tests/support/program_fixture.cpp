#include "support/program_fixture.h"

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

ProgramFixture::ProgramFixture() {
    static int serialNumber = 0;
    dir = std::filesystem::temp_directory_path() /
          ("zav_program_" + std::to_string(::getpid()) + "_" + std::to_string(++serialNumber));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::filesystem::path resources = ZAV_RESOURCES_DIR;
    host.resources["SKIN"] = fileBytes(resources / "skin.bmp");
    host.resources["MASK2"] = fileBytes(resources / "mask2.bin");
    host.resources["STATUSPATCH"] = fileBytes(resources / "status_patch.bmp");
    tray.windowsByCaption[app::applicationTitle] = 77;
    // The master output: stereo volume up to 65535 and a mute switch.
    FakeDestination master = destination(10, 2);
    masterVolume = FakeMixer::addControl(master.line, platform::MixerControlKind::volume, 0, {30000, 30000});
    masterMute = FakeMixer::addControl(master.line, platform::MixerControlKind::mute, 0, {0, 0});
    mixer.destinations.push_back(master);
    player.running = false;
}

ProgramFixture::~ProgramFixture() {
    program.reset();
    std::filesystem::remove_all(dir);
}

void ProgramFixture::start(const std::string& ini) {
    if (!ini.empty()) std::ofstream(dir / "ir_zav.ini", std::ios::binary) << ini;
    program.reset();
    program = std::make_unique<app::Program>(
        app::Platform{host, serial, serial.messageBoxes(), tray, player, launcher, mixer, endpoint, regions, logon, files, sockets},
        dir / "ir_zav.ini");
    application = &program->application();
    form = &program->mainWindow();
    dialog = &program->setupDialog();
    settings = &program->settings();
    com = &program->com();
    code = &program->code();
    codes = &program->codes();
    receiver = &program->receiver();
    receiverLink = &program->receiverLink();
}

std::string ProgramFixture::iniText() const {
    std::ifstream in(dir / "ir_zav.ini", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fw::Point ProgramFixture::centreOf(const fw::Control& control) {
    const fw::Rect b = control.bounds();
    return {(b.left + b.right) / 2, (b.top + b.bottom) / 2};
}

}  // namespace testing_support
