#include "support/program_fixture.h"

#include <unistd.h>

#include <fstream>
#include <iterator>

#include "framework/design.h"

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
    tray.windowsByCaption["Telecomanda Winamp ZAV Amp - 01"] = 77;
    // The master output: stereo volume up to 65535 and a mute switch.
    FakeDestination master = destination(10, 2);
    masterVolume = FakeMixer::addControl(master.line, platform::MIXERCONTROL_CONTROLTYPE_VOLUME, 0, {30000, 30000});
    masterMute = FakeMixer::addControl(master.line, platform::MIXERCONTROL_CONTROLTYPE_MUTE, 0, {0, 0});
    mixer.destinations.push_back(master);
    player.running = false;
}

ProgramFixture::~ProgramFixture() {
    if (receiver) receiver->stopLoop();
    application.reset();
    std::filesystem::remove_all(dir);
}

void ProgramFixture::start(const std::string& ini) {
    if (!ini.empty()) std::ofstream(dir / "ir_zav.ini", std::ios::binary) << ini;
    application = std::make_unique<fw::Application>(host);
    application->setTitle("Telecomanda Winamp ZAV Amp - 01");
    display = std::make_unique<ir::PostedCodeDisplay>(*application);
    receiver = std::make_unique<ir::IrReceiver>(com, code, *display);
    services.emplace(app::Services{settings, dir / "ir_zav.ini", com, *receiver, code, *display, tray, player, launcher,
                                  mixer, regions});
    form = &application->createForm<TZAV_Amp>(*services);
    dialog = &application->createForm<TFormaSetari>(*services);
}

std::string ProgramFixture::iniText() const {
    std::ifstream in(dir / "ir_zav.ini", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fw::Point ProgramFixture::centreOf(const std::string& control) const {
    const fw::Rect b = fw::component<fw::Control>(*form, control).bounds();
    return {(b.left + b.right) / 2, (b.top + b.bottom) / 2};
}

}  // namespace testing_support
