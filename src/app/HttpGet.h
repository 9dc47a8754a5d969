#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <thread>

namespace glypharo {

// One GET as the lobby download needs it: HTTP/1.0, the old browser's user
// agent and accept header, any local address, no proxy.
struct HttpRequest {
    QString address;
    // Tests only: also accept plain http, and then only to 127.0.0.1.
    bool insecureLoopback = false;
};

enum class HttpOutcome {
    Complete, // the whole body arrived with status 200
    Aborted, // abort() was called
    HttpError, // refused address, network or TLS failure, or a status other than 200
    SinkFailed, // the body could not be stored
};

struct HttpResult {
    HttpOutcome outcome = HttpOutcome::HttpError;
    long status = 0; // the last response's status, 0 when none arrived
    qint64 bytes = 0; // body bytes handed to the sink
    QString error; // why it did not complete; empty when it did
};

// Receives the body in pieces, on the worker thread. Returning false stops
// the transfer as SinkFailed.
using BodySink = std::function<bool(const char* data, std::size_t size)>;

// The HTTP client of the download window. The transfer runs on a worker
// thread so the window stays responsive; what it reports reaches the owner's
// thread through queued calls, in the order it happened, and ends with
// requestDone.
class HttpGet : public QObject {
    Q_OBJECT
public:
    explicit HttpGet(QObject* parent = nullptr);
    ~HttpGet() override; // aborts and waits for a running transfer

    // False when a transfer is already running. The sink is called only on the
    // worker thread and not after requestDone.
    bool start(const HttpRequest& request, BodySink sink);
    // Safe to call at any time; a transfer that is running ends as Aborted.
    void abort();
    bool isRunning() const { return running_; }

    // The reason an address is refused before any connection, or empty when
    // it may be fetched.
    static QString refusal(const HttpRequest& request);

Q_SIGNALS:
    void headerData(const QByteArray& line);
    void docBegin();
    void docData(qint64 received);
    void requestDone(const glypharo::HttpResult& result);

private:
    struct Transfer;
    void run(std::shared_ptr<Transfer> transfer);
    void finish(const HttpResult& result);

    std::thread worker_;
    bool running_ = false;
    std::shared_ptr<Transfer> transfer_;
};

} // namespace glypharo

Q_DECLARE_METATYPE(glypharo::HttpResult)
