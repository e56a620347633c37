// Program entry: the program on the Win32 services, then the message loop
// until the main window closes.
#include <windows.h>

#include <exception>

#include "app/program.h"
#include "app/settings.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_crypto.h"
#include "platform/win32/win32_endpoint_volume.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_keys.h"
#include "platform/win32/win32_media_keys.h"
#include "platform/win32/win32_launcher.h"
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_mixer.h"
#include "platform/win32/win32_network.h"
#include "platform/win32/win32_text_folding.h"
#include "platform/win32/win32_player_windows.h"
#include "platform/win32/win32_regions.h"
#include "platform/win32/win32_run_at_logon.h"
#include "platform/win32/win32_serial.h"
#include "platform/win32/win32_sockets.h"
#include "platform/win32/win32_tray.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    try {
        // Declared before the program, so they outlive it and its windows;
        // COM (for the sound's endpoint) outlives them all.
        win32::ComApartment com;
        win32::Win32Host host(instance);
        win32::Win32Serial serial;
        win32::Win32Tray tray(host);
        win32::Win32PlayerWindows player;
        win32::Win32Launcher launcher;
        win32::Win32Mixer mixer(host);
        win32::Win32EndpointVolume endpoint;
        win32::Win32Regions regions;
        win32::Win32RunAtLogon logon;
        win32::Win32Files files;
        win32::Win32Sockets sockets;
        win32::Win32Keys keys(instance);
        win32::Win32MediaKeys mediaKeys;
        win32::Win32Crypto crypto;
        win32::Win32Network network;
        win32::Win32TextFolding folding;
        app::Program program({host, serial, win32::showMessage, tray, player, launcher, mixer, endpoint, regions, logon,
                              files, sockets, keys, mediaKeys, crypto, network, folding},
                             app::configPath(fw::pathFromUtf8(host.executablePath())));
        program.run();
    } catch (const std::exception& e) {
        MessageBoxW(nullptr, win32::widen(e.what()).c_str(), win32::widen(app::applicationTitle).c_str(),
                    MB_OK | MB_ICONERROR);
        return 1;
    }
    return 0;
}
