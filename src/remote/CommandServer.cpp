#include "CommandServer.h"

#include "UnixSocket.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>

#include <sys/socket.h>
#include <unistd.h>

namespace {
// A client that sends no whole request this long is cut off.
constexpr int RequestTimeoutMs = 30000;
} // namespace

// One connection: the request as it comes, then the answer as fast as the client reads it,
// never blocking the window.
class TCommandServer::TClient : public QObject {
public:
    TClient(int fd, QObject* parent)
        : QObject(parent), Fd(fd), Readable(fd, QSocketNotifier::Read),
          Writable(fd, QSocketNotifier::Write) {
        Writable.setEnabled(false);
        connect(&Writable, &QSocketNotifier::activated, this, [this] { Flush(); });
        QTimer::singleShot(RequestTimeoutMs, this, [this] { Close(); });
    }
    ~TClient() override { ::close(Fd); }

    // What has come since; false once the client has stopped sending.
    bool Read() {
        char chunk[65536];
        for (;;) {
            const ssize_t got = ::recv(Fd, chunk, sizeof chunk, MSG_DONTWAIT);
            if (got > 0)
                Request.append(chunk, got);
            else if (got == 0 || errno != EINTR)
                return got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
        }
    }
    // The answer goes out; the connection ends once it is all written.
    void Send(const QByteArray& answer) {
        Readable.setEnabled(false);
        Unsent = answer;
        Flush();
    }
    void Close() {
        Unsent.clear();
        Readable.setEnabled(false);
        Writable.setEnabled(false);
        deleteLater();
    }
    void Flush() {
        while (!Unsent.isEmpty()) {
            const ssize_t sent =
                ::send(Fd, Unsent.constData(), size_t(Unsent.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (sent > 0) {
                Unsent.remove(0, sent);
            } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                Writable.setEnabled(true);
                return;
            } else if (sent == 0 || errno != EINTR) {
                break; // the client has gone
            }
        }
        Close();
    }

    const int Fd;
    QSocketNotifier Readable, Writable;
    QByteArray Unsent, Request;
};

TCommandServer::TCommandServer(THandler handler, QObject* parent)
    : QObject(parent), Handler(std::move(handler)) {}

TCommandServer::~TCommandServer() {
    if (Fd < 0)
        return;
    ::close(Fd);
    QFile::remove(Path);
}

bool TCommandServer::Listen(const QString& path, QString* reason) {
    if (!CommandChannel::PrepareFolder(path, reason))
        return false;
    Fd = UnixSocket::Listen(path, reason);
    if (Fd < 0)
        return false;
    Path = path;
    Incoming = new QSocketNotifier(Fd, QSocketNotifier::Read, this);
    connect(Incoming, &QSocketNotifier::activated, this, &TCommandServer::Accept);
    return true;
}

// Answers that clients have not read stay in memory until they are cut off: all of them
// together hold no more than one clip of the largest size.
QByteArray TCommandServer::Answer(const CommandChannel::TAnswer& answer) const {
    qint64 unread = 0;
    for (const QObject* child : children())
        if (const auto* client = dynamic_cast<const TClient*>(child))
            unread += client->Unsent.size();
    if (unread + answer.Payload.size() > MaxUnreadBytes)
        return CommandChannel::Encode(CommandChannel::TAnswer{
            1, "Quillery is still sending answers that were not read: try again later.\n"});
    return CommandChannel::Encode(answer);
}

void TCommandServer::Accept() {
    // In the order they came; each served at once if its request is there already.
    for (;;) {
        const int fd = ::accept4(Fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        auto* client = new TClient(fd, this);
        connect(&client->Readable, &QSocketNotifier::activated, this,
                [this, client] { Serve(client); });
        Serve(client);
    }
}

void TCommandServer::Serve(TClient* client) {
    const bool sending = client->Read();
    bool failed = false;
    const auto request = CommandChannel::TakeRequest(client->Request, failed);
    if (failed)
        client->Send(CommandChannel::Encode(
            CommandChannel::TAnswer{1, "Quillery did not understand the request.\n"}));
    else if (request)
        client->Send(Answer(Handler(*request)));
    else if (!sending)
        client->Close(); // gone before its request was whole
}
