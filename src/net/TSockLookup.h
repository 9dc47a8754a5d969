#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace glypharo {

// Name resolution for the socket component: IPv4 host addresses through a
// process-wide host-name cache, and ports by number or service name.
// Addresses and ports are returned in network byte order.
namespace sockLookup {

// Resolves one host name to its first IPv4 address, or nothing. The default
// asks the system resolver; tests install their own to count calls and to
// stay off the network.
using HostResolver = std::function<std::optional<std::uint32_t>(const std::string& name)>;

// Installs a resolver (an empty function restores the system one) and
// returns the previous one.
HostResolver setHostResolver(HostResolver resolver);

// Forgets every cached host name.
void clearHostCache();

// The empty name gives the any-address; a name beginning with a decimal
// digit is read as a dotted IPv4 address and never resolved; any other name
// is served from the cache or resolved once and cached. Raises
// ESockException "Host Lookup - Could Not Find Host Entry" when there is no
// address (a malformed dotted address included).
std::uint32_t hostAddress(const std::string& name);

// A name beginning with a decimal digit is a port number (0 to 65535, digits
// only); any other is a service name looked up for "udp" when datagram is
// true, else "tcp". Raises ESockException "Port Lookup - Could Not Find
// Service Entry" otherwise.
std::uint16_t portNumber(const std::string& name, bool datagram);

// The address in dotted decimal form ("127.0.0.1").
std::string dottedAddress(std::uint32_t address);

} // namespace sockLookup
} // namespace glypharo
