// Program entry: the application object on the Win32 host, the main
// window (which loads the settings and starts the receiver), the setup
// dialog made hidden, then the message loop until the main window closes.
#include <windows.h>

#include <exception>

#include "app/zav_amp.h"
#include "framework/application.h"
#include "ir/posted_code_display.h"
#include "ir/setari_ir.h"
#include "platform/win32/win32_control.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_regions.h"
#include "platform/win32/win32_serial.h"
#include "platform/win32/win32_tray.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    try {
        // Declared so that they outlive the application and its windows,
        // and the receive loop (last) stops before anything it uses goes.
        win32::Win32Host host(instance);
        win32::Win32Serial serial;
        win32::Win32Tray tray(host);
        win32::Win32PlayerWindows player;
        win32::Win32Launcher launcher;
        win32::Win32Mixer mixer(host);
        win32::Win32Regions regions;
        app::Settings settings;
        ir::ComFunc com(serial);
        ir::CodeText code;
        fw::Application application(host);
        ir::PostedCodeDisplay display(application);
        ir::IrReceiver receiver(com, code, display);
        // The windows go first, while everything they use is still there.
        struct CloseForms {
            fw::Application& app;
            ~CloseForms() { app.closeForms(); }
        } closeForms{application};
        app::Services services{settings, app::configPath(host.executablePath()), com, receiver, code, display,
                               tray, player, launcher, mixer, regions};

        application.setTitle("Telecomanda Winamp ZAV Amp - 01");
        application.createForm<TZAV_Amp>(services);
        application.createForm<TFormaSetari>(services);
        application.run();
        receiver.stopLoop();
        application.closeForms();
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), "Telecomanda Winamp ZAV Amp - 01", MB_OK | MB_ICONERROR);
        return 1;
    }
    return 0;
}
