#include "ClipServe.h"

#include "platform/Clipboard.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <ctime>

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace {
// A reader that went away makes a write raise SIGPIPE, which would end the program. It is
// blocked on the serving thread alone, and one that was raised is taken off again.
void BlockBrokenPipe() {
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
}

void TakeBrokenPipe() {
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    const timespec now{0, 0};
    while (sigtimedwait(&pipe, nullptr, &now) == SIGPIPE) {
    }
}
} // namespace

TClipServe::TClipServe(int fd, QByteArray text, QObject* parent)
    : QObject(parent), Fd(fd), Text(std::move(text)),
      Notifier(new QSocketNotifier(fd, QSocketNotifier::Write, this)) {
    BlockBrokenPipe();
    ::fcntl(Fd, F_SETFL, ::fcntl(Fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(Fd, F_SETFD, FD_CLOEXEC);
    connect(Notifier, &QSocketNotifier::activated, this, &TClipServe::Writable);
    Silence.setSingleShot(true);
    connect(&Silence, &QTimer::timeout, this, &TClipServe::End);
    Silence.start(OwnerAnswerTimeoutMs);
    Deadline.setSingleShot(true);
    connect(&Deadline, &QTimer::timeout, this, &TClipServe::End);
    Deadline.start(ServeDeadlineMs);
}

TClipServe::~TClipServe() {
    if (Fd >= 0)
        ::close(Fd);
}

void TClipServe::Writable() {
    while (Sent < Text.size()) {
        const ssize_t n = ::write(Fd, Text.constData() + Sent, size_t(Text.size() - Sent));
        if (n > 0) {
            Sent += n;
            Silence.start(); // it reads: wait again
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return; // the pipe is full until it reads
        if (n < 0 && errno == EPIPE)
            TakeBrokenPipe();
        break; // the reader went away
    }
    End();
}

void TClipServe::End() {
    if (Fd < 0)
        return;
    Notifier->setEnabled(false);
    Silence.stop();
    Deadline.stop();
    ::close(std::exchange(Fd, -1));
    emit Ended();
}
