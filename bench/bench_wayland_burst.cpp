// Burst capture under a Wayland desktop (run inside tests/wayland/wlsession.sh): 100 copies
// made every 2 ms and every 5 ms by a copier on data control, and by a wl-copy loop; counted by
// the program's clipboard, by a lean reference reader (wl_reader) and by `wl-paste --watch`,
// all in the same run. Usage: bench_wayland_burst [FOLDER of wl_reader and wl_copier]
#include "platform/wayland/WaylandClipboard.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QSet>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {
QString Helpers;

// Runs the event loop for a while, asleep when there is nothing to do: a busy loop here would
// take a core from the clipboard's own thread.
void Turn(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void RunTurning(QProcess& process) {
    while (process.state() != QProcess::NotRunning)
        Turn(1);
}

int Bursts(const QByteArray& lines) {
    QSet<QByteArray> seen;
    for (const QByteArray& line : lines.split('\n'))
        if (line.startsWith("burst-"))
            seen.insert(line);
    return int(seen.size());
}

void Burst(const char* label, const std::function<void()>& copy) {
    TWaylandClipboard board;
    QSet<QByteArray> ours;
    QObject::connect(&board, &IClipboard::Changed, [&] {
        if (board.HasText() && board.ReadText().startsWith("burst-"))
            ours.insert(board.ReadText());
    });
    QProcess reader, watch;
    reader.start(Helpers + "/wl_reader");
    watch.start("wl-paste", {"--no-newline", "--watch", "sh", "-c", "cat; echo"});
    Turn(500);
    copy();
    Turn(1500);
    for (QProcess* p : {&reader, &watch}) {
        p->terminate();
        p->waitForFinished();
    }
    std::printf(
        "wayland burst %s: recorded %lld of 100, reference reader %d, wl-paste --watch %d\n", label,
        static_cast<long long>(ours.size()), Bursts(reader.readAllStandardOutput()),
        Bursts(watch.readAllStandardOutput()));
    std::fflush(stdout);
}

void Copier(int ms) {
    QProcess copier;
    copier.start(Helpers + "/wl_copier", {"--burst", "100", QString::number(ms)});
    Turn(100 * ms + 500);
    QProcess end;
    end.start("wl-copy", {"end"}); // the copier serves its last copy until replaced
    RunTurning(end);
    RunTurning(copier);
}
// A 50 MB copy: how long until it is recorded, and the longest the event loop was held up
// meanwhile (it is read in pieces as they come).
void Large() {
    TWaylandClipboard board;
    bool recorded = false;
    QObject::connect(&board, &IClipboard::Changed, [&] { recorded = board.HasText(); });
    QProcess copy;
    copy.start("wl-copy");
    copy.write(QByteArray(50 << 20, 'x'));
    copy.closeWriteChannel();
    QElapsedTimer total, turn;
    total.start();
    turn.start();
    double longest = 0;
    while (!recorded && total.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        longest = std::max(longest, turn.nsecsElapsed() / 1e6);
        turn.restart();
    }
    std::printf("wayland 50 MB copy: recorded %s in %lld ms, longest turn %.0f ms\n",
                recorded ? "whole" : "NOT", static_cast<long long>(total.elapsed()), longest);
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    Helpers = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QCoreApplication::applicationDirPath();
    Burst("every 2 ms", [] { Copier(2); });
    Burst("every 5 ms", [] { Copier(5); });
    Burst("from a wl-copy loop", [] {
        for (int i = 1; i <= 100; ++i) {
            QProcess copy;
            copy.start("wl-copy", {"burst-" + QString::number(i)});
            RunTurning(copy);
        }
    });
    Large();
    return 0;
}
