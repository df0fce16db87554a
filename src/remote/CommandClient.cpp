#include "CommandClient.h"

#include "CommandChannel.h"

#include <QElapsedTimer>
#include <QLocalSocket>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace {
constexpr int StartWaitMs = 5000;   // an instance on its way up has its socket by then
constexpr int AnswerWaitMs = 30000; // a window busy in a long command still answers

int Fail(std::FILE* err, const QString& message) {
    std::fputs(qPrintable(QStringLiteral("quillery: %1\n").arg(message)), err);
    return 1;
}

bool Connect(QLocalSocket& socket, const QString& path, const std::function<bool()>& starting) {
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        socket.connectToServer(path);
        if (socket.waitForConnected(1000))
            return true;
        if (waited.elapsed() > StartWaitMs || !starting())
            return false;
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

std::optional<CommandChannel::TAnswer> Exchange(QLocalSocket& socket, const QByteArray& request) {
    socket.write(request);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(AnswerWaitMs))
            return std::nullopt;
    }
    QByteArray buffer;
    for (;;) {
        bool failed = false;
        if (auto answer = CommandChannel::TakeAnswer(buffer, failed))
            return answer;
        if (failed || (!socket.bytesAvailable() && !socket.waitForReadyRead(AnswerWaitMs)))
            return std::nullopt;
        buffer.append(socket.readAll());
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
    QLocalSocket socket;
    if (!Connect(socket, socketPath, starting))
        return Fail(err, starting() ? QStringLiteral("Quillery runs but takes no actions (its "
                                                     "reason is on its standard error)")
                                    : QStringLiteral("no Quillery is running"));
    // Nothing goes to a server another user may have put there.
    QString reason;
    if (!CommandChannel::IsPrivate(socketPath, int(socket.socketDescriptor()), &reason))
        return Fail(err, reason);
    const auto answer = Exchange(socket, CommandChannel::Encode(request));
    if (!answer)
        return Fail(err, QStringLiteral("Quillery did not answer"));
    if (answer->Status != 0) {
        std::fputs("quillery: ", err);
        WriteAnswer(answer->Payload, err, err);
        return 1;
    }
    return WriteAnswer(answer->Payload, out, err) ? 0 : 1;
}
