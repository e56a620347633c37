// The PC on its networks: its addresses, the networks they are on, which
// one the default route leaves by, and its name. What the web remote needs
// to know which Host names this PC, which peers are of the home network,
// and which address to show a phone.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct HostAddress {
    // "192.168.1.23", "fe80::1c2d:3e4f:5a6b:7c8d" (without a zone).
    std::string address;
    // The length of the network's prefix it is on.
    unsigned prefixLength = 0;
    // On the interface of the default route.
    bool defaultRoute = false;
    bool loopback = false;
};

class Network {
public:
    virtual ~Network() = default;
    // The addresses of the interfaces that are up, loopback among them.
    virtual std::vector<HostAddress> addresses() = 0;
    // The computer's name as the home network knows it ("DESK").
    virtual std::string computerName() = 0;
};

}  // namespace platform
