// Program entry: the application object on the Win32 host, its main
// window, and the message loop until the main window closes.
#include <windows.h>

#include <exception>

#include "app/zav_amp.h"
#include "framework/application.h"
#include "platform/win32/win32_host.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    try {
        win32::Win32Host host(instance);
        fw::Application app(host);
        app.setTitle("Telecomanda Winamp ZAV Amp - 01");
        app.createForm<TZAV_Amp>();
        app.run();
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), "Telecomanda Winamp ZAV Amp - 01", MB_OK | MB_ICONERROR);
        return 1;
    }
    return 0;
}
