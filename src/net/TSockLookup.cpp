#include "net/TSockLookup.h"

#include "net/SockErrors.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <map>
#include <mutex>

namespace glypharo::sockLookup {
namespace {

std::optional<std::uint32_t> systemResolve(const std::string& name)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || found == nullptr)
        return std::nullopt;
    std::optional<std::uint32_t> address;
    for (const addrinfo* a = found; a != nullptr && !address; a = a->ai_next)
        if (a->ai_family == AF_INET)
            address = reinterpret_cast<const sockaddr_in*>(a->ai_addr)->sin_addr.s_addr;
    freeaddrinfo(found);
    return address;
}

// The cache and the resolver are process-wide; a lock keeps them sound if a
// socket is ever used off the user-interface thread.
struct HostCache {
    std::mutex lock;
    std::map<std::string, std::uint32_t> addresses;
    HostResolver resolver = systemResolve;
};

HostCache& cache()
{
    static HostCache instance;
    return instance;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

HostResolver setHostResolver(HostResolver resolver)
{
    std::lock_guard guard(cache().lock);
    HostResolver previous = cache().resolver;
    cache().resolver = resolver ? std::move(resolver) : HostResolver(systemResolve);
    return previous;
}

void clearHostCache()
{
    std::lock_guard guard(cache().lock);
    cache().addresses.clear();
}

std::uint32_t hostAddress(const std::string& name)
{
    if (name.empty())
        return htonl(INADDR_ANY);
    if (isDigit(name.front())) {
        in_addr parsed{};
        // inet_aton takes the classic forms ("127.1" too); a malformed text is
        // refused rather than sent to the broadcast address.
        if (name.find('\0') != std::string::npos || inet_aton(name.c_str(), &parsed) == 0)
            throw ESockException("Host Lookup - Could Not Find Host Entry");
        return parsed.s_addr;
    }
    HostResolver resolver;
    {
        std::lock_guard guard(cache().lock);
        const auto hit = cache().addresses.find(name);
        if (hit != cache().addresses.end())
            return hit->second;
        resolver = cache().resolver;
    }
    const auto address = resolver(name);
    if (!address)
        throw ESockException("Host Lookup - Could Not Find Host Entry");
    std::lock_guard guard(cache().lock);
    cache().addresses.emplace(name, *address);
    return *address;
}

std::uint16_t portNumber(const std::string& name, bool datagram)
{
    if (!name.empty() && isDigit(name.front())) {
        unsigned long value = 0;
        for (const char c : name) {
            if (!isDigit(c))
                throw ESockException("Port Lookup - Could Not Find Service Entry");
            value = value * 10 + static_cast<unsigned long>(c - '0');
            if (value > 65535)
                throw ESockException("Port Lookup - Could Not Find Service Entry");
        }
        return htons(static_cast<std::uint16_t>(value));
    }
    servent entry{};
    servent* found = nullptr;
    char scratch[4096];
    if (name.empty() || name.find('\0') != std::string::npos
        || getservbyname_r(name.c_str(), datagram ? "udp" : "tcp", &entry, scratch, sizeof scratch, &found)
            != 0
        || found == nullptr)
        throw ESockException("Port Lookup - Could Not Find Service Entry");
    return static_cast<std::uint16_t>(found->s_port);
}

std::string dottedAddress(std::uint32_t address)
{
    in_addr a{};
    a.s_addr = address;
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &a, text, sizeof text);
    return text;
}

} // namespace glypharo::sockLookup
