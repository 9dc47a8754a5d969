#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

namespace glypharo::test {

// A one-page HTTP server on 127.0.0.1 for the download tests. It records the
// request it received and answers with a fixed head followed by the body in
// pieces, one piece per tick of its timer, then closes the connection.
// With a certificate and key (PEM) it speaks TLS.
class HttpTestServer {
public:
    struct Reply {
        QByteArray head; // status line and headers, without the blank line
        QList<QByteArray> pieces;
        int pieceIntervalMs = 0;
    };

    explicit HttpTestServer(Reply reply, const QByteArray& certificatePem = {}, const QByteArray& keyPem = {})
        : reply_(std::move(reply))
    {
        if (certificatePem.isEmpty()) {
            server_ = std::make_unique<QTcpServer>();
        } else {
            auto ssl = std::make_unique<QSslServer>();
            QSslConfiguration config = QSslConfiguration::defaultConfiguration();
            config.setLocalCertificate(QSslCertificate(certificatePem));
            config.setPrivateKey(QSslKey(keyPem, QSsl::Ec));
            ssl->setSslConfiguration(config);
            QObject::connect(ssl.get(), &QSslServer::startedEncryptionHandshake, [this] { ++handshakes_; });
            server_ = std::move(ssl);
        }
        server_->listen(QHostAddress::LocalHost, 0);
        QObject::connect(server_.get(), &QTcpServer::pendingConnectionAvailable, [this] {
            while (QTcpSocket* socket = server_->nextPendingConnection())
                serve(socket);
        });
    }

    static Reply ok(const QList<QByteArray>& pieces, int intervalMs = 0)
    {
        qsizetype length = 0;
        for (const QByteArray& p : pieces)
            length += p.size();
        return {"HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: "
                + QByteArray::number(length),
            pieces, intervalMs};
    }

    QString url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_->serverPort()).arg(path);
    }
    quint16 port() const { return server_->serverPort(); }
    int connections() const { return connections_; } // served: plain, or after a TLS handshake
    int handshakes() const { return handshakes_; }
    const QByteArray& request() const { return request_; }

private:
    void serve(QTcpSocket* socket)
    {
        ++connections_;
        socket->setParent(server_.get());
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            request_ += socket->readAll();
            if (!answered_ && request_.contains("\r\n\r\n")) {
                answered_ = true;
                socket->write(reply_.head + "\r\n\r\n");
                sendPieces(socket);
            }
        });
    }

    void sendPieces(QTcpSocket* socket)
    {
        auto* timer = new QTimer(socket);
        auto next = std::make_shared<qsizetype>(0);
        timer->setInterval(reply_.pieceIntervalMs);
        QObject::connect(timer, &QTimer::timeout, socket, [this, socket, timer, next] {
            if (*next < reply_.pieces.size() && socket->state() == QAbstractSocket::ConnectedState) {
                socket->write(reply_.pieces.at((*next)++));
                return;
            }
            timer->stop();
            socket->disconnectFromHost();
        });
        timer->start();
    }

    Reply reply_;
    std::unique_ptr<QTcpServer> server_;
    QByteArray request_;
    bool answered_ = false;
    int connections_ = 0;
    int handshakes_ = 0;
};

} // namespace glypharo::test
