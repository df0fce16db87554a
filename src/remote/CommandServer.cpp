#include "CommandServer.h"

#include <QFile>
#include <QLocalSocket>
#include <QTimer>

namespace {
// A client that sends no whole request this long is cut off.
constexpr int RequestTimeoutMs = 30000;

bool AnotherServes(const QString& path) {
    QLocalSocket probe;
    probe.connectToServer(path);
    return probe.waitForConnected(500);
}
} // namespace

TCommandServer::TCommandServer(THandler handler, QObject* parent)
    : QObject(parent), Handler(std::move(handler)) {
    Server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&Server, &QLocalServer::newConnection, this, &TCommandServer::Accept);
}

bool TCommandServer::Listen(const QString& path, QString* reason) {
    if (!CommandChannel::PrepareFolder(path, reason))
        return false;
    if (!Server.listen(path)) {
        if (Server.serverError() != QAbstractSocket::AddressInUseError) {
            *reason = Server.errorString();
            return false;
        }
        if (AnotherServes(path)) {
            *reason = QStringLiteral("another Quillery answers at %1").arg(path);
            return false;
        }
        QLocalServer::removeServer(path); // left by a crashed instance
        if (!Server.listen(path)) {
            *reason = Server.errorString();
            return false;
        }
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

// Answers that clients have not read stay in memory until they are cut off: all of them
// together hold no more than one clip of the largest size.
QByteArray TCommandServer::Answer(const CommandChannel::TAnswer& answer) const {
    qint64 unread = 0;
    for (const QLocalSocket* client : Server.findChildren<QLocalSocket*>())
        unread += client->bytesToWrite();
    if (unread + answer.Payload.size() > MaxUnreadBytes)
        return CommandChannel::Encode(CommandChannel::TAnswer{
            1, "Quillery is still sending answers that were not read: try again later.\n"});
    return CommandChannel::Encode(answer);
}

void TCommandServer::Accept() {
    while (QLocalSocket* client = Server.nextPendingConnection()) {
        auto buffer = std::make_shared<QByteArray>();
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        QTimer::singleShot(RequestTimeoutMs, client, [client] { client->abort(); });
        connect(client, &QLocalSocket::readyRead, this, [this, client, buffer] {
            buffer->append(client->readAll());
            bool failed = false;
            const auto request = CommandChannel::TakeRequest(*buffer, failed);
            if (failed) {
                client->write(CommandChannel::Encode(
                    CommandChannel::TAnswer{1, "Quillery did not understand the request.\n"}));
                client->disconnectFromServer();
            } else if (request) {
                client->write(Answer(Handler(*request)));
                client->disconnectFromServer();
            }
        });
    }
}
