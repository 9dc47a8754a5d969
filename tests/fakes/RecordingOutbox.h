#pragma once

#include "host/Outbox.h"

#include <functional>
#include <string>
#include <vector>

namespace glypharo::fakes {

// Records what the host's rules send and close, in order. `onClose` stands in
// for the socket's synchronous "Socket Closed" report; tests point it at
// TServer::tempsockInfo.
class RecordingOutbox : public Outbox {
public:
    struct Sent {
        int seat = 0;
        std::string message;
        bool operator==(const Sent&) const = default;
    };

    void send(int seat, const std::string& message) override;
    void close(int seat) override;

    std::vector<Sent> sent;
    std::vector<int> closed;
    std::function<void(int)> onClose;

    // The messages one seat received, in order.
    std::vector<std::string> to(int seat) const;
    void clear();
};

} // namespace glypharo::fakes
