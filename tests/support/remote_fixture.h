// The program without its windows (its core) on the headless host with
// every service doubled: the remote driven as its windows and the handset
// drive it, its events heard as its windows hear them.
#pragma once

#include <memory>
#include <string>

#include "app/core.h"
#include "support/platform_doubles.h"

namespace testing_support {

class RemoteFixture : public PlatformDoubles {
public:
    ~RemoteFixture() override;

    // Writes ir_zav.ini (unless empty), makes the core and puts the
    // settings to work, as the main window's creation does.
    void start(const std::string& ini = "");
    // The command of that name, as its key asks for it (or the handset).
    void run(const char* command, app::CommandSource source = app::CommandSource::key);
    // Every change of the state of the parts given, as the remote told it.
    fw::Subscription recordState(unsigned parts, std::function<void(const app::RemoteState&)> record);
    // A complete code from the serial receiver, as its loop feeds it, and
    // the GUI thread's turn.
    void receive(const std::string& code, std::uint32_t at);

    std::unique_ptr<app::Core> core;
    app::Remote* remote = nullptr;
    const app::Settings* settings = nullptr;
    // What the last command came to.
    app::CommandOutcome lastOutcome;

private:
    fw::Subscription outcomes_;
};

}  // namespace testing_support
