// Series paste on a Wayland desktop (run inside tests/wayland/wlsession.sh, as root): the time
// from the key press on the desktop's keyboard, through a sway binding that runs
// "quillery --series-paste" as the desktop's user, to the clip in a native window's text.
// Usage: bench_wayland_paste PROGRAM HELPERS [presses]   (HELPERS: wl_keys and text_window)
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
const QStringList AsDesktopUser{"--reuid=nobody", "--regid=nogroup", "--clear-groups", "--"};

qint64 Size(const QString& file) {
    return QFileInfo(file).size();
}

bool WaitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QThread::usleep(500);
    }
    return true;
}

void Chord(QProcess& keyboard, const QByteArray& keys) {
    keyboard.write(keys + '\n');
    keyboard.waitForReadyRead(5000);
    keyboard.readLine();
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString program = argv[1], helpers = argv[2];
    const int presses = argc > 3 ? atoi(argv[3]) : 20;
    QTemporaryDir dir;
    QFile::copy(program, dir.filePath("quillery"));
    QFile ini(dir.filePath("Quillery.Ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Options]\nSplash=0\nTray=0\nPowerPaste=2\nDefaultFile=" +
              dir.filePath("list.clp").toUtf8() + "\n"); // the same clip every time
    ini.close();
    QFile list(dir.filePath("list.clp"));
    list.open(QIODevice::WriteOnly);
    list.write("x\r\n\x0c\r\n");
    list.close();
    QProcess::execute("chown", {"-R", "nobody", dir.path()});

    QProcess keyboard, quillery, window;
    keyboard.start(helpers + "/wl_keys");
    keyboard.waitForReadyRead(5000);
    keyboard.readLine();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    quillery.setProcessEnvironment(env);
    quillery.start("setpriv", AsDesktopUser + QStringList{dir.filePath("quillery")});
    QThread::sleep(2);
    const QString typed = dir.filePath("typed.txt");
    window.start(helpers + "/text_window", {typed});
    WaitFor(
        [&] {
            Chord(keyboard, "x");
            return Size(typed) > 0;
        },
        10000);
    const QDir runtime(qEnvironmentVariable("XDG_RUNTIME_DIR"));
    const QString sway =
        runtime.filePath(runtime.entryList({"sway-ipc.*.sock"}, QDir::System).value(0));
    QProcess bind;
    bind.start(
        "swaymsg",
        {"-s", sway, "bindsym Shift+Ctrl+v exec " + dir.filePath("quillery") + " --series-paste"});
    bind.waitForFinished();

    QList<double> times;
    for (int i = 0; i < presses; ++i) {
        const qint64 before = Size(typed);
        QElapsedTimer clock;
        clock.start();
        Chord(keyboard, "Shift_L Control_L v");
        if (WaitFor([&] { return Size(typed) > before; }, 3000))
            times << clock.nsecsElapsed() / 1e6;
        QThread::msleep(200);
    }
    for (QProcess* p : {&window, &quillery, &keyboard}) {
        p->kill();
        p->waitForFinished();
    }
    std::sort(times.begin(), times.end());
    if (times.isEmpty()) {
        std::printf("wayland key binding to pasted text: nothing was pasted\n");
        return 1;
    }
    std::printf("wayland key binding to pasted text: median %.0f ms, best %.0f ms, worst %.0f ms "
                "(%lld of %d presses pasted)\n",
                times[times.size() / 2], times.first(), times.last(), times.size(), presses);
    return 0;
}
