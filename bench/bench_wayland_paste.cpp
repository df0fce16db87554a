// Series paste on a Wayland desktop (run inside tests/wayland/wlsession.sh, as root): the time
// from the key press on the desktop's keyboard, through a sway binding that runs
// "quillery --series-paste" as the desktop's user, to the clip in a native window's text.
// Usage: bench_wayland_paste PROGRAM HELPERS [presses]   (HELPERS: wl_keys and text_window)
#include "PasteTiming.h"
#include "wayland/DesktopUser.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {
using namespace PasteTiming;
const QStringList AsDesktopUser = WaylandDesktop::AsDesktopUser + QStringList{"--"};
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
    const QString copy = PrepareFolder(dir.path(), program);

    QProcess keyboard, quillery, window;
    keyboard.start(helpers + "/wl_keys");
    keyboard.waitForReadyRead(5000);
    keyboard.readLine();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    quillery.setProcessEnvironment(env);
    quillery.start("setpriv", AsDesktopUser + QStringList{copy});
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
    bind.start("swaymsg", {"-s", sway, "bindsym Shift+Ctrl+v exec " + copy + " --series-paste"});
    bind.waitForFinished();

    const QList<double> times =
        Time(presses, typed, [&] { Chord(keyboard, "Shift_L Control_L v"); });
    for (QProcess* p : {&window, &quillery, &keyboard}) {
        p->kill();
        p->waitForFinished();
    }
    return Report("wayland key binding to pasted text", times, presses);
}
