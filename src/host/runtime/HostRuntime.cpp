#include "host/runtime/HostRuntime.h"

#include "net/SockErrors.h"

#include <QLoggingCategory>

#include <string_view>
#include <utility>

// Silent by default; QT_LOGGING_RULES="glypharo.host.debug=true" shows dropped messages.
Q_LOGGING_CATEGORY(lcHost, "glypharo.host", QtInfoMsg)

namespace glypharo {

HostRuntime::HostRuntime(QObject* parent)
    : QObject(parent)
    , server_(*this, socktimer_)
    , Sock1_(std::make_unique<TSock>())
{
    socktimer_.setTick([this] { server_.socktimerTimer(); });
    // Still one message per 10 ms, but a message reaching an idle host is not
    // held back for a whole tick.
    socktimer_.setResumeAtOnce(true);
    server_.debugLog
        = [](std::string_view line) { qCDebug(lcHost, "%.*s", static_cast<int>(line.size()), line.data()); };
    connect(Sock1_.get(), &TSock::OnAccept, this, &HostRuntime::Sock1Accept);
}

HostRuntime::~HostRuntime()
{
    // Sockets die with Sock1 and report nothing; make sure no event of theirs
    // reaches the rules while the members go.
    for (TSock* sock : sockets_) {
        if (sock)
            disconnect(sock, nullptr, this, nullptr);
    }
    disconnect(Sock1_.get(), nullptr, this, nullptr);
    server_.setGame(nullptr);
}

void HostRuntime::attachEngine(
    WordChecker& spell, std::vector<std::string> computerwords, std::function<int()> botspeed)
{
    server_.setGame(nullptr);
    Outbox& out = *this;
    engine_ = std::make_unique<GameEngine>(server_.seats(), out, timer_turn_, timer_breaks_, computertimer_,
        random_, spell, std::move(computerwords), std::move(botspeed));
    timer_turn_.setTick([this] { engine_->timer_turnTimer(); });
    timer_breaks_.setTick([this] { engine_->timer_breaksTimer(); });
    computertimer_.setTick([this] { engine_->computertimerTimer(); });
    server_.setGame(engine_.get());
}

void HostRuntime::listen(quint16 port)
{
    Sock1_->setPortName(QByteArray::number(port));
    Sock1_->setListen(true);
}

quint16 HostRuntime::port() const
{
    return Sock1_->Listen() ? Sock1_->LocalPort() : 0;
}

void HostRuntime::shutdown()
{
    if (Sock1_->Listen())
        Sock1_->setListen(false);
    for (int seat = 1; seat <= kMaxSeat; ++seat)
        server_.disconnectsock(seat);
}

int HostRuntime::openConnections() const
{
    int n = 0;
    for (int seat = 1; seat <= kMaxSeat; ++seat)
        n += sockets_[static_cast<std::size_t>(seat)] ? 1 : 0;
    return n;
}

// --- Outbox ------------------------------------------------------------------

void HostRuntime::send(int seat, const std::string& message)
{
    TSock* sock = seat >= 1 && seat < static_cast<int>(sockets_.size())
        ? sockets_[static_cast<std::size_t>(seat)]
        : nullptr;
    if (!sock)
        return;
    QByteArray wire(message.data(), static_cast<qsizetype>(message.size()));
    wire.append(kTerminator);
    try {
        sock->Send(wire);
    } catch (const ESockException& e) {
        // The socket's own close report frees the seat; a failed send only
        // loses this message, as on the wire.
        qCDebug(lcHost, "send to seat %d failed: %s", seat, e.what());
    }
}

void HostRuntime::close(int seat)
{
    TSock* sock = seat >= 1 && seat < static_cast<int>(sockets_.size())
        ? sockets_[static_cast<std::size_t>(seat)]
        : nullptr;
    if (!sock)
        return;
    // Close reports "Socket Closed" synchronously, which frees the seat.
    sock->Close();
    release(seat);
}

// --- socket events -----------------------------------------------------------

void HostRuntime::Sock1Accept(TSock* listener)
{
    TSock* sock = nullptr;
    if (!listener->Accept(sock) || !sock)
        return;
    sock->DropCopiedHandlers();
    const int seat = server_.chooseSeat();
    release(seat); // a socket still bound to a freed seat goes now
    sock->setTag(seat);
    sockets_[static_cast<std::size_t>(seat)] = sock;
    connect(sock, &TSock::OnRead, this, &HostRuntime::tempsockRead);
    connect(sock, &TSock::OnDisconnect, this, &HostRuntime::tempsockDisconnect);
    connect(sock, &TSock::OnInfo, this, &HostRuntime::tempsockInfo);
    server_.acceptInto(seat);
}

void HostRuntime::tempsockRead(TSock* sock)
{
    const int seat = seatOf(sock);
    if (seat == 0)
        return;
    const QByteArray bytes = sock->ReceiveAll();
    server_.Sock1Read(seat, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void HostRuntime::tempsockDisconnect(TSock* sock)
{
    if (int seat = seatOf(sock))
        server_.tempsockDisconnect(seat);
}

void HostRuntime::tempsockInfo(TSock* sock, TSocketInfo info, const QByteArray& msg)
{
    const int seat = seatOf(sock);
    if (seat == 0 || info != TSocketInfo::infoClose)
        return;
    const std::string_view text(msg.constData(), static_cast<std::size_t>(msg.size()));
    server_.tempsockInfo(seat, text);
    if (text == "Socket Closed")
        release(seat);
}

int HostRuntime::seatOf(const TSock* sock) const
{
    const int seat = sock->Tag();
    if (seat < 1 || seat >= static_cast<int>(sockets_.size()))
        return 0;
    return sockets_[static_cast<std::size_t>(seat)] == sock ? seat : 0;
}

void HostRuntime::release(int seat)
{
    auto& slot = sockets_[static_cast<std::size_t>(seat)];
    if (!slot)
        return;
    TSock* sock = std::exchange(slot, nullptr);
    disconnect(sock, nullptr, this, nullptr);
    sock->deleteLater();
}

} // namespace glypharo
