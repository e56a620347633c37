// The PC on a home network as a test sets it: its addresses and its name.
#pragma once

#include "platform/network.h"

namespace testing_support {

class FakeNetwork : public platform::Network {
public:
    std::vector<platform::HostAddress> hostAddresses = {
        {"127.0.0.1", 8, false, true},
        {"192.168.1.23", 24, true, false},
        {"fe80::1", 64, false, false},
    };
    std::string name = "DESK";
    std::vector<platform::HostAddress> addresses() override { return hostAddresses; }
    std::string computerName() override { return name; }
};

}  // namespace testing_support
