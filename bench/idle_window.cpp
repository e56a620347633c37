// The baseline of bench/program_idle.sh: an empty borderless window of the
// remote's size, centred as the remote is, with the two timers the program
// runs (500 ms and 100 ms), on the same framework and Win32 host. Its
// handlers do nothing; what it costs idle is what any such window costs.
#include <windows.h>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/timer.h"
#include "platform/win32/win32_host.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    win32::Win32Host host(instance);
    fw::Application app(host);
    app.setTitle("ZAV Idle Baseline");
    auto& form = app.createForm<fw::Form>("Baseline");
    form.setCaption("ZAV Idle Baseline");
    form.setBorderStyle(fw::BorderStyle::none);
    form.setClientSize({168, 311});
    form.centreOnScreen();
    for (const int interval : {500, 100}) {
        auto& timer = form.create<fw::Timer>("Timer" + std::to_string(interval));
        timer.setInterval(interval);
        timer.bindHandler([](fw::Component&) {});
    }
    form.finishCreate();
    app.run();
    return 0;
}
