#include "web/peers.h"

#include <array>
#include <cstdint>

namespace web {

namespace {

using boost::asio::ip::address;
using boost::asio::ip::address_v4;

address plain(const address& a) {
    if (a.is_v6() && a.to_v6().is_v4_mapped())
        return address_v4(a.to_v6().to_v4());  // never throws for a mapped address
    return a;
}

// The first `length` bits of both are the same.
template <std::size_t N>
bool samePrefix(const std::array<unsigned char, N>& a, const std::array<unsigned char, N>& b,
                unsigned length) {
    if (length > N * 8)
        return false;
    std::size_t whole = length / 8;
    for (std::size_t i = 0; i < whole; ++i)
        if (a[i] != b[i])
            return false;
    unsigned rest = length % 8;
    if (rest == 0)
        return true;
    auto mask = static_cast<unsigned char>(0xFFu << (8 - rest));
    return (a[whole] & mask) == (b[whole] & mask);
}

bool inPrefix(const address& a, const address& network, unsigned length) {
    if (a.is_v4() && network.is_v4())
        return samePrefix(a.to_v4().to_bytes(), network.to_v4().to_bytes(), length);
    if (a.is_v6() && network.is_v6())
        return samePrefix(a.to_v6().to_bytes(), network.to_v6().to_bytes(), length);
    return false;
}

struct Range {
    address network;
    unsigned length;
};

const std::vector<Range>& homeRanges() {
    static const std::vector<Range> ranges = {
        {boost::asio::ip::make_address("127.0.0.0"), 8},
        {boost::asio::ip::make_address("10.0.0.0"), 8},
        {boost::asio::ip::make_address("172.16.0.0"), 12},
        {boost::asio::ip::make_address("192.168.0.0"), 16},
        {boost::asio::ip::make_address("169.254.0.0"), 16},
        {boost::asio::ip::make_address("::1"), 128},
        {boost::asio::ip::make_address("fe80::"), 10},
        {boost::asio::ip::make_address("fc00::"), 7},
    };
    return ranges;
}

}  // namespace

bool servedPeer(const address& peer, const std::vector<OnLinkPrefix>& onLink) {
    address a = plain(peer);
    for (const Range& range : homeRanges())
        if (inPrefix(a, range.network, range.length))
            return true;
    for (const OnLinkPrefix& prefix : onLink) {
        // A prefix as wide as the whole internet is no home network.
        unsigned least = plain(prefix.address).is_v4() ? 8 : 16;
        if (prefix.length >= least && inPrefix(a, plain(prefix.address), prefix.length))
            return true;
    }
    return false;
}

}  // namespace web
