// Serving the message queue in a Win32 test until something happens.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/application.h"

namespace testing_support {

// Serves messages until `done` or `ms` have passed; true when `done`.
inline bool serveUntil(fw::Application& app, const std::function<bool()>& done, int ms = 3000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > static_cast<DWORD>(ms)) return false;
        app.processMessages();
        Sleep(1);
    }
    return true;
}

}  // namespace testing_support
