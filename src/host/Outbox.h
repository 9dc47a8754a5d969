#pragma once

#include <string>

namespace glypharo {

// Where the host's rules send their messages. The runtime maps seats to
// accepted sockets and appends the 0xFF terminator; tests record.
class Outbox {
public:
    virtual ~Outbox() = default;
    // `message` is the text without its terminator, e.g. "CMD_full+".
    virtual void send(int seat, const std::string& message) = 0;
    // Close the seat's connection. The runtime reports the close back through
    // TServer::tempsockInfo(seat, "Socket Closed") synchronously, as a socket
    // close would.
    virtual void close(int seat) = 0;
};

} // namespace glypharo
