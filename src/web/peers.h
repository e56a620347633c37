// Who may talk to the server at all: phones and computers of the home
// network, never the internet. A peer outside these is closed before a byte
// of its request is read.
#pragma once

#include <vector>

#include <boost/asio/ip/address.hpp>

namespace web {

// A network the PC itself is on (its address and prefix length): home
// networks hand phones global IPv6 addresses of the PC's own prefix.
struct OnLinkPrefix {
    boost::asio::ip::address address;
    unsigned length = 0;
};

// Loopback, the private IPv4 ranges, link-local, IPv6 unique-local, and the
// PC's own on-link prefixes; an IPv4-mapped IPv6 address counts as IPv4.
bool servedPeer(const boost::asio::ip::address& peer, const std::vector<OnLinkPrefix>& onLink);

}  // namespace web
