#pragma once

#include "dict/WordChecker.h"
#include "host/GameEngine.h"
#include "host/Outbox.h"
#include "host/TServer.h"
#include "host/runtime/QtTimer.h"
#include "net/TSock.h"
#include "protocol/Protocol.h"
#include "protocol/Random.h"

#include <QObject>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace glypharo {

// The host as it runs: TServer's rules bound to the listening socket Sock1,
// one accepted TSock per seat, and QTimers; optionally the game engine.
// Messages go out with the 0xFF terminator through the seat's socket; a
// closed socket ("Socket Closed") frees its seat.
class HostRuntime : public QObject, private Outbox {
    Q_OBJECT

public:
    explicit HostRuntime(QObject* parent = nullptr);
    ~HostRuntime() override;

    // Plays games with `spell` deciding words (it must outlive the runtime),
    // the computer players' word list and the host player's bot speed in ms.
    // Without an engine the host seats, logs in and relays, and ignores
    // CMD_startgame, CMD_ipass and CMD_myword.
    void attachEngine(
        WordChecker& spell, std::vector<std::string> computerwords, std::function<int()> botspeed);

    // Listens on `port` (0 picks a free port). Throws ESockException with the
    // socket's message when the port cannot be bound.
    void listen(quint16 port = kGamePort);
    // The port actually listened on, 0 when not listening.
    quint16 port() const;
    // Stops listening and closes every connection, each freeing its seat.
    void shutdown();

    TServer& server() { return server_; }
    const TServer& server() const { return server_; }
    GameEngine* engine() { return engine_.get(); }
    // Runs only while messages wait in the queue.
    const Timer& socktimer() const { return socktimer_; }
    // The seats whose connections are open.
    int openConnections() const;

private:
    // Outbox: sends and closes through the seat's socket.
    void send(int seat, const std::string& message) override;
    void close(int seat) override;

    void Sock1Accept(TSock* listener);
    void tempsockRead(TSock* sock);
    void tempsockDisconnect(TSock* sock);
    void tempsockInfo(TSock* sock, TSocketInfo info, const QByteArray& msg);
    // The seat `sock` is bound to, or 0 when it is no longer any seat's.
    int seatOf(const TSock* sock) const;
    void release(int seat);

    QtTimer socktimer_;
    TServer server_;
    QtTimer timer_turn_;
    QtTimer timer_breaks_;
    QtTimer computertimer_;
    EngineRandom random_;
    std::unique_ptr<GameEngine> engine_;
    // Owns every accepted socket (they are its children).
    std::unique_ptr<TSock> Sock1_;
    std::array<TSock*, SeatTable::kEntries + 1> sockets_{}; // by seat; 10 while refusing
};

} // namespace glypharo
