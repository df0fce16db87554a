#include "TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int Pipe[2] = {-1, -1};
constexpr int Handled[] = {SIGTERM, SIGHUP, SIGINT};
} // namespace

void TTerminationSignals::Handler(int signal) {
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] ssize_t n = ::write(Pipe[0], &byte, 1);
}

TTerminationSignals::TTerminationSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, Pipe) != 0)
        return;
    ::fcntl(Pipe[0], F_SETFL, O_NONBLOCK);
    ::fcntl(Pipe[1], F_SETFL, O_NONBLOCK);
    Notifier = new QSocketNotifier(Pipe[1], QSocketNotifier::Read, this);
    connect(Notifier, &QSocketNotifier::activated, this, &TTerminationSignals::Drain);
    struct sigaction action = {};
    action.sa_handler = &TTerminationSignals::Handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : Handled)
        ::sigaction(s, &action, nullptr);
}

TTerminationSignals::~TTerminationSignals() {
    for (int s : Handled)
        ::signal(s, SIG_DFL);
    if (Pipe[0] >= 0) {
        ::close(Pipe[0]);
        ::close(Pipe[1]);
        Pipe[0] = Pipe[1] = -1;
    }
}

void TTerminationSignals::Drain() {
    char bytes[16];
    while (::read(Pipe[1], bytes, sizeof bytes) > 0) {
    }
    Got = true;
    emit Requested();
}
