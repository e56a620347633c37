// End-to-end sample: a borderless, round-cornered window titled
// "ZAV E2E Sample" with one window-less button and a 100 ms timer. Each
// click turns the button from red to green (and back) and appends a line
// to e2e_sample.log in the current folder; the timer counts ticks there too.
#include <windows.h>

#include <fstream>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/timer.h"
#include "platform/win32/win32_host.h"

namespace {

class SampleButton : public fw::GraphicControl {
public:
    using fw::GraphicControl::GraphicControl;
    bool on = false;
    void paint(fw::Canvas& canvas) override {
        canvas.setBrushColor(on ? fw::colors::lime : fw::colors::red);
        canvas.setPenColor(fw::colors::black);
        canvas.rectangle({0, 0, bounds().width(), bounds().height()});
    }
};

void log(const std::string& line) {
    std::ofstream out("e2e_sample.log", std::ios::app);
    out << line << "\n";
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    win32::Win32Host host(instance);
    fw::Application app(host);
    app.setTitle("ZAV E2E Sample");
    auto& form = app.createForm<fw::Form>("Sample");
    form.setCaption("ZAV E2E Sample");
    form.setBorderStyle(fw::BorderStyle::none);
    form.setClientSize({200, 120});
    form.setColor(fw::colors::silver);
    auto& button = form.create<SampleButton>("Button");
    button.setBounds(fw::Rect::fromSize(20, 40, 80, 30));
    button.setHint("Press me");
    int clicks = 0;
    button.onClick = [&](fw::Component&) {
        button.on = !button.on;
        button.invalidate();
        log("click " + std::to_string(++clicks));
    };
    auto& close = form.create<fw::GraphicControl>("Close");
    close.setBounds(fw::Rect::fromSize(170, 10, 20, 20));
    close.onClick = [&](fw::Component&) { form.close(); };
    int ticks = 0;
    auto& timer = form.create<fw::Timer>("Tick");
    timer.setInterval(100);
    timer.bindHandler([&](fw::Component&) {
        if (++ticks % 10 == 0) log("ticks " + std::to_string(ticks));
    });
    form.finishCreate();
    form.centreOnScreen();
    // The shape: a rounded rectangle; the window system owns the region.
    SetWindowRgn(reinterpret_cast<HWND>(form.handle()), CreateRoundRectRgn(0, 0, 201, 121, 40, 40), TRUE);
    log("started");
    app.run();
    log("ended");
    return 0;
}
