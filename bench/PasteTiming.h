#pragma once

// Timing a paste from the press to the text in the window's file.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace PasteTiming {

inline qint64 Size(const QString& file) {
    return QFileInfo(file).size();
}

inline bool WaitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QThread::usleep(500);
    }
    return true;
}

// A copy of the program in a folder of the desktop's user, that pastes the same clip each time.
inline QString PrepareFolder(const QString& folder, const QString& program) {
    const QDir dir(folder);
    QFile::copy(program, dir.filePath("quillery"));
    QFile ini(dir.filePath("Quillery.Ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Options]\nSplash=0\nTray=0\nPowerPaste=2\nDefaultFile=" +
              dir.filePath("list.clp").toUtf8() + "\n");
    ini.close();
    QFile list(dir.filePath("list.clp"));
    list.open(QIODevice::WriteOnly);
    list.write("x\r\n\x0c\r\n");
    list.close();
    QProcess::execute("chown", {"-R", "nobody", folder});
    return dir.filePath("quillery");
}

// Each press, then the time until the file grows; presses that paste nothing are counted out.
inline QList<double> Time(int presses, const QString& typed, const std::function<void()>& press) {
    QList<double> times;
    for (int i = 0; i < presses; ++i) {
        const qint64 before = Size(typed);
        QElapsedTimer clock;
        clock.start();
        press();
        if (WaitFor([&] { return Size(typed) > before; }, 3000))
            times << double(clock.nsecsElapsed()) / 1e6;
        QThread::msleep(200);
    }
    return times;
}

// "LABEL: median …" on standard output; status 1 when nothing was pasted.
inline int Report(const char* label, QList<double> times, int presses) {
    std::sort(times.begin(), times.end());
    if (times.isEmpty()) {
        std::printf("%s: nothing was pasted\n", label);
        return 1;
    }
    std::printf("%s: median %.0f ms, best %.0f ms, worst %.0f ms (%lld of %d presses pasted)\n",
                label, times[times.size() / 2], times.first(), times.last(), times.size(), presses);
    return 0;
}

} // namespace PasteTiming
