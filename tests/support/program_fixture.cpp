#include "support/program_fixture.h"

namespace testing_support {

ProgramFixture::~ProgramFixture() { program.reset(); }

void ProgramFixture::start(const std::string& ini) {
    writeIni(ini);
    program.reset();
    program = std::make_unique<app::Program>(platform(), iniPath());
    app::Core& core = program->core();
    application = &core.application();
    form = &program->mainWindow();
    dialog = &program->setupDialog();
    settings = &core.settings();
    remote = &core.remote();
    codes = &core.codes();
    receiverLink = remote->Receiver;
    com = &receiverLink->com();
    code = &receiverLink->codeText();
    receiver = &receiverLink->receiver();
}

fw::Point ProgramFixture::centreOf(const fw::Control& control) {
    const fw::Rect b = control.bounds();
    return {(b.left + b.right) / 2, (b.top + b.bottom) / 2};
}

}  // namespace testing_support
