#include "CommandClient.h"

#include "CommandChannel.h"
#include "UnixSocket.h"

#include <QElapsedTimer>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <unistd.h>

namespace {
constexpr int StartWaitMs = 5000;   // an instance on its way up has its socket by then
constexpr int AnswerWaitMs = 30000; // a window busy in a long command still answers

int Fail(std::FILE* err, const QString& message) {
    std::fputs(qPrintable(QStringLiteral("quillery: %1\n").arg(message)), err);
    return 1;
}

// The socket, or -1 when no instance answers (after waiting for one on its way up).
int Connect(const QString& path, const std::function<bool()>& starting) {
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const int fd = UnixSocket::Connect(path);
        if (fd >= 0)
            return fd;
        if (waited.elapsed() > StartWaitMs || !starting())
            return -1;
        QThread::msleep(50);
    }
}

// Standard input, whole; false when it is larger than a clip may be.
bool ReadAll(std::FILE* in, QByteArray& input) {
    char chunk[65536];
    while (size_t got = std::fread(chunk, 1, sizeof chunk, in)) {
        input.append(chunk, qsizetype(got));
        if (input.size() > CommandChannel::MaxPayload())
            return false;
    }
    return true;
}

std::optional<CommandChannel::TAnswer> Exchange(int socket, const QByteArray& request) {
    if (!UnixSocket::WriteAll(socket, request, AnswerWaitMs))
        return std::nullopt;
    QByteArray buffer;
    char chunk[65536];
    for (;;) {
        bool failed = false;
        if (auto answer = CommandChannel::TakeAnswer(buffer, failed))
            return answer;
        if (failed || !UnixSocket::Wait(socket, false, AnswerWaitMs))
            return std::nullopt;
        const ssize_t got = ::read(socket, chunk, sizeof chunk);
        if (got == 0 || (got < 0 && errno != EINTR))
            return std::nullopt; // gone before its answer was whole
        if (got > 0)
            buffer.append(chunk, got);
    }
}

// The answer, whole; false with the reason when it could not be written (a full disk, a pipe
// whose reader has gone).
bool WriteAnswer(const QByteArray& payload, std::FILE* to, std::FILE* err) {
    const size_t size = size_t(payload.size());
    if (std::fwrite(payload.constData(), 1, size, to) == size && std::fflush(to) == 0)
        return true;
    std::fprintf(err, "quillery: cannot write the output: %s\n", std::strerror(errno));
    return false;
}
} // namespace

int SendAction(const TCommandLine& command, const QString& socketPath,
               const std::function<bool()>& starting, std::FILE* in, std::FILE* out,
               std::FILE* err) {
    // Output into a pipe whose reader has gone fails with a message, instead of killing.
    std::signal(SIGPIPE, SIG_IGN);
    CommandChannel::TRequest request{command.Action, command.Number, {}};
    if (command.Action == TAction::Add && !ReadAll(in, request.Input))
        return Fail(err, QStringLiteral("standard input is larger than a clip may be (%1 MB)")
                             .arg(CommandChannel::MaxPayload() >> 20));
    const int socket = Connect(socketPath, starting);
    if (socket < 0)
        return Fail(err, starting() ? QStringLiteral("Quillery runs but takes no actions (its "
                                                     "reason is on its standard error)")
                                    : QStringLiteral("no Quillery is running"));
    // Nothing goes to a server another user may have put there.
    QString reason;
    const auto answer = CommandChannel::IsPrivate(socketPath, socket, &reason)
                            ? Exchange(socket, CommandChannel::Encode(request))
                            : std::nullopt;
    ::close(socket);
    if (!reason.isEmpty())
        return Fail(err, reason);
    if (!answer)
        return Fail(err, QStringLiteral("Quillery did not answer"));
    if (answer->Status != 0) {
        std::fputs("quillery: ", err);
        WriteAnswer(answer->Payload, err, err);
        return 1;
    }
    return WriteAnswer(answer->Payload, out, err) ? 0 : 1;
}
