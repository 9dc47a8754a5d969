#pragma once

#include <stdexcept>
#include <string>

namespace glypharo {

// Every refusal and failure of the socket component is raised as one of
// these, with a fixed English message ("Send - Socket Not Connected", ...).
class ESockException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Error codes are reported with the Windows Sockets numbers and names that
// peers, logs and players of this game know ("Error #10061 (WSAECONNREFUSED)").
namespace sockerr {
constexpr int WSAEWOULDBLOCK = 10035;
constexpr int WSAEINPROGRESS = 10036;
constexpr int WSAENOBUFS = 10055;
constexpr int WSAECONNRESET = 10054;
constexpr int WSAECONNREFUSED = 10061;
} // namespace sockerr

// The standard constant name of a Windows Sockets code, or "UNKNOWN ERROR".
const char* sockErrorName(int code);

// The Windows Sockets code for a POSIX errno value; an errno without a
// counterpart is returned unchanged (and so names itself "UNKNOWN ERROR").
int wsaErrorFromErrno(int err);

// "Error #" + code + " (" + name + ")".
std::string sockErrorText(int code);

} // namespace glypharo
