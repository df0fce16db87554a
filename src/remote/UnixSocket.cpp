#include "UnixSocket.h"

#include <QElapsedTimer>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace UnixSocket {
namespace {

// False when the path does not fit a socket address.
bool Address(const QString& path, sockaddr_un& address) {
    const QByteArray name = QFile::encodeName(path);
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || size_t(name.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return true;
}

int Bound(const sockaddr_un& address) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        ::listen(fd, 64) == 0)
        return fd;
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
}

} // namespace

int Connect(const QString& path) {
    sockaddr_un address;
    if (!Address(path, address)) {
        errno = ENAMETOOLONG;
        return -1;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        return fd;
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
}

int Listen(const QString& path, QString* reason) {
    sockaddr_un address;
    if (!Address(path, address)) {
        *reason = QStringLiteral("the path %1 is too long for a socket").arg(path);
        return -1;
    }
    int fd = Bound(address);
    if (fd < 0 && errno == EADDRINUSE) {
        if (const int other = Connect(path); other >= 0) {
            ::close(other);
            *reason = QStringLiteral("another Quillery answers at %1").arg(path);
            return -1;
        }
        ::unlink(address.sun_path); // left by a crashed instance
        fd = Bound(address);
    }
    if (fd < 0) {
        *reason = QStringLiteral("cannot listen at %1: %2")
                      .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return -1;
    }
    ::chmod(address.sun_path, 0600);
    return fd;
}

bool Wait(int fd, bool writing, int timeoutMs) {
    pollfd watched{fd, short(writing ? POLLOUT : POLLIN), 0};
    int ready;
    do
        ready = ::poll(&watched, 1, timeoutMs);
    while (ready < 0 && errno == EINTR);
    return ready > 0;
}

bool WriteAll(int fd, const QByteArray& data, int timeoutMs) {
    QElapsedTimer waited;
    waited.start();
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t sent = ::send(fd, data.constData() + done, size_t(data.size() - done),
                                    MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            done += sent;
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        const qint64 left = timeoutMs - waited.elapsed();
        if (sent == 0 || (errno != EAGAIN && errno != EWOULDBLOCK) || left <= 0 ||
            !Wait(fd, true, int(left)))
            return false;
    }
    return true;
}

} // namespace UnixSocket
