#include "CommandChannel.h"

#include "platform/Clipboard.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace CommandChannel {
namespace {
constexpr qsizetype MaxHeader = 100;

// The header's words, once its line is complete; the buffer keeps what follows it.
std::optional<QList<QByteArray>> TakeHeader(QByteArray& buffer, int words, bool& failed) {
    const qsizetype end = buffer.indexOf('\n');
    if (end < 0) {
        failed = buffer.size() > MaxHeader;
        return std::nullopt;
    }
    const QList<QByteArray> parts = buffer.left(end).split(' ');
    if (parts.size() != words) {
        failed = true;
        return std::nullopt;
    }
    return parts;
}

// A length or number: decimal digits only.
qint64 Count(const QByteArray& text, bool& failed) {
    bool ok = !text.isEmpty() && text.size() <= 12 &&
              std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    const qint64 value = ok ? text.toLongLong(&ok) : -1;
    failed = failed || !ok;
    return value;
}

// The payload, once all of it is there: taken off the buffer with the header.
std::optional<QByteArray> TakePayload(QByteArray& buffer, qint64 length, bool& failed) {
    if (failed || length > MaxPayload()) {
        failed = true;
        return std::nullopt;
    }
    const qsizetype start = buffer.indexOf('\n') + 1;
    if (buffer.size() - start < length)
        return std::nullopt;
    QByteArray payload = buffer.mid(start, length);
    buffer.remove(0, start + length);
    return payload;
}
} // namespace

QString SocketPath(const QString& runtimeDir) {
    const QString folder = runtimeDir.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                               : runtimeDir;
    return folder + QStringLiteral("/quillery-actions/socket");
}

namespace {
// A folder, not a link, and the user's own; false with the reason otherwise.
bool OwnFolder(const QByteArray& folder, struct stat& status, QString* reason) {
    if (::lstat(folder.constData(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        *reason = QStringLiteral("%1 is not a folder").arg(QString::fromLocal8Bit(folder));
        return false;
    }
    if (status.st_uid != ::geteuid()) {
        *reason = QStringLiteral("%1 belongs to another user").arg(QString::fromLocal8Bit(folder));
        return false;
    }
    return true;
}

QByteArray FolderOf(const QString& socketPath) {
    return QFile::encodeName(QFileInfo(socketPath).path());
}
} // namespace

bool PrepareFolder(const QString& socketPath, QString* reason) {
    const QByteArray folder = FolderOf(socketPath);
    ::mkdir(folder.constData(), 0700); // fails when it is there already: checked below
    struct stat status {};
    if (!OwnFolder(folder, status, reason))
        return false;
    if ((status.st_mode & 07777) != 0700 && ::chmod(folder.constData(), 0700) != 0) {
        *reason = QStringLiteral("%1 cannot be made private").arg(QString::fromLocal8Bit(folder));
        return false;
    }
    return true;
}

bool IsPrivate(const QString& socketPath, int socket, QString* reason) {
    const QByteArray folder = FolderOf(socketPath);
    struct stat status {};
    if (!OwnFolder(folder, status, reason))
        return false;
    if ((status.st_mode & 077) != 0) {
        *reason =
            QStringLiteral("%1 may be entered by other users").arg(QString::fromLocal8Bit(folder));
        return false;
    }
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 ||
        peer.uid != ::geteuid()) {
        *reason = QStringLiteral("%1 is served by another user").arg(socketPath);
        return false;
    }
    return true;
}

qsizetype MaxPayload() {
    return MaxClipBytes;
}

QByteArray Encode(const TRequest& request) {
    return "quillery " + ActionName(request.Action) + ' ' + QByteArray::number(request.Number) +
           ' ' + QByteArray::number(request.Input.size()) + '\n' + request.Input;
}

QByteArray Encode(const TAnswer& answer) {
    return QByteArray::number(answer.Status) + ' ' + QByteArray::number(answer.Payload.size()) +
           '\n' + answer.Payload;
}

std::optional<TRequest> TakeRequest(QByteArray& buffer, bool& failed) {
    const auto header = TakeHeader(buffer, 4, failed);
    if (!header)
        return std::nullopt;
    TRequest request;
    request.Action = ActionNamed(header->at(1));
    failed = header->at(0) != "quillery" || request.Action == TAction::None ||
             request.Action == TAction::Help;
    // Checked as the command line checks them: a request no start of the program makes fails.
    const qint64 number = Count(header->at(2), failed);
    failed = failed || number > MaxNumber(request.Action);
    request.Number = int(number);
    const qint64 length = Count(header->at(3), failed);
    failed = failed || (length > 0 && request.Action != TAction::Add);
    auto input = TakePayload(buffer, length, failed);
    if (!input)
        return std::nullopt;
    request.Input = std::move(*input);
    return request;
}

std::optional<TAnswer> TakeAnswer(QByteArray& buffer, bool& failed) {
    const auto header = TakeHeader(buffer, 2, failed);
    if (!header)
        return std::nullopt;
    TAnswer answer;
    answer.Status = int(Count(header->at(0), failed));
    auto payload = TakePayload(buffer, Count(header->at(1), failed), failed);
    if (!payload)
        return std::nullopt;
    answer.Payload = std::move(*payload);
    return answer;
}

} // namespace CommandChannel
