// The PC's addresses, networks and name on Windows (IP Helper).
#pragma once

#include "platform/network.h"

namespace win32 {

class Win32Network : public platform::Network {
public:
    std::vector<platform::HostAddress> addresses() override;
    std::string computerName() override;
};

}  // namespace win32
