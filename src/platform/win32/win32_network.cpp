#include <winsock2.h>
#include <ws2tcpip.h>
#include <iphlpapi.h>

#include "platform/win32/win32_network.h"

#include <vector>

#include "platform/win32/wide_text.h"

namespace win32 {

namespace {

std::string textOf(const SOCKADDR* address) {
    char text[INET6_ADDRSTRLEN] = {};
    const void* bytes = address->sa_family == AF_INET
                            ? static_cast<const void*>(&reinterpret_cast<const sockaddr_in*>(address)->sin_addr)
                            : static_cast<const void*>(&reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr);
    if (!inet_ntop(address->sa_family, bytes, text, sizeof text))
        return {};
    return text;
}

// The interface a packet to the internet would leave by; 0 when none would.
DWORD defaultInterface(int family) {
    sockaddr_storage beyond{};
    if (family == AF_INET) {
        auto* a = reinterpret_cast<sockaddr_in*>(&beyond);
        a->sin_family = AF_INET;
        inet_pton(AF_INET, "8.8.8.8", &a->sin_addr);  // any address beyond the home network
    } else {
        auto* a = reinterpret_cast<sockaddr_in6*>(&beyond);
        a->sin6_family = AF_INET6;
        inet_pton(AF_INET6, "2001:4860:4860::8888", &a->sin6_addr);
    }
    DWORD index = 0;
    return GetBestInterfaceEx(reinterpret_cast<sockaddr*>(&beyond), &index) == NO_ERROR ? index : 0;
}

}  // namespace

std::vector<platform::HostAddress> Win32Network::addresses() {
    std::vector<platform::HostAddress> found;
    ULONG size = 16 * 1024;
    std::vector<unsigned char> buffer;
    ULONG result = ERROR_BUFFER_OVERFLOW;
    // The list may grow between the two calls: a few tries, never more.
    for (int attempt = 0; attempt < 3 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
        buffer.resize(size);
        result = GetAdaptersAddresses(AF_UNSPEC,
                                      GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER,
                                      nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
    }
    if (result != NO_ERROR)
        return found;
    DWORD default4 = defaultInterface(AF_INET), default6 = defaultInterface(AF_INET6);
    for (auto* adapter = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()); adapter; adapter = adapter->Next) {
        if (adapter->OperStatus != IfOperStatusUp)
            continue;
        for (auto* unicast = adapter->FirstUnicastAddress; unicast; unicast = unicast->Next) {
            const SOCKADDR* address = unicast->Address.lpSockaddr;
            if (!address || (address->sa_family != AF_INET && address->sa_family != AF_INET6))
                continue;
            platform::HostAddress host;
            host.address = textOf(address);
            if (host.address.empty())
                continue;
            host.prefixLength = unicast->OnLinkPrefixLength;
            host.loopback = adapter->IfType == IF_TYPE_SOFTWARE_LOOPBACK;
            DWORD wanted = address->sa_family == AF_INET ? default4 : default6;
            host.defaultRoute = wanted != 0 && (adapter->IfIndex == wanted || adapter->Ipv6IfIndex == wanted);
            found.push_back(host);
        }
    }
    return found;
}

std::string Win32Network::computerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(name, &size))
        return {};
    return narrow(std::wstring(name, size));
}

}  // namespace win32
