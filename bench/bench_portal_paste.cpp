// Series paste through the remote-desktop portal (run inside tests/kde/kdesession.sh or
// tests/gnome/gnomesession.sh, as root): the time from the press to the clip in a native
// window's text. On KDE the press is kglobalaccel's, as for the key chord, and reaches the
// program through the global-shortcuts portal; on GNOME it is the command a custom shortcut
// runs, "quillery --series-paste". GNOME's question is answered over AT-SPI before the timing.
// Usage: bench_portal_paste PROGRAM HELPERS SOURCES [presses]
//   (HELPERS: text_window; SOURCES: the source tree, for tests/atspi.py)
#include "PasteTiming.h"
#include "wayland/DesktopUser.h"

#include <QCoreApplication>
#include <QDBusInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QTemporaryDir>

namespace {
using namespace PasteTiming;

using WaylandDesktop::AsDesktopUser;

QStringList AsUser(const QString& folder, const QString& program, const QStringList& args = {}) {
    return WaylandDesktop::ProgramAsDesktopUser(folder, program) << args;
}

QByteArray Run(const QStringList& setprivArgs) {
    QProcess run;
    run.start("setpriv", setprivArgs);
    run.waitForFinished(10000);
    return run.readAllStandardOutput();
}

// kglobalaccel's component of the running program: the active one with a series paste.
QString KdeComponent() {
    qDBusRegisterMetaType<QList<QDBusObjectPath>>();
    const char* service = "org.kde.kglobalaccel";
    QDBusInterface accel(service, "/kglobalaccel", "org.kde.KGlobalAccel");
    const QDBusReply<QList<QDBusObjectPath>> components = accel.call("allComponents");
    for (const QDBusObjectPath& path : components.value()) {
        QDBusInterface component(service, path.path(), "org.kde.kglobalaccel.Component");
        const QDBusReply<QStringList> names = component.call("shortcutNames");
        const QDBusReply<bool> active = component.call("isActive");
        if (names.value().contains("series-paste") && active.value())
            return path.path();
    }
    return {};
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 4)
        return 2;
    const QString helpers = argv[2], sources = argv[3];
    const int presses = argc > 4 ? atoi(argv[4]) : 20;
    const bool kde = qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains("KDE");
    QTemporaryDir dir;
    const QString program = PrepareFolder(dir.path(), argv[1]);
    QProcess quillery, window;
    quillery.start("setpriv", AsUser(dir.path(), program));
    WaitFor([&] { return Run(AsUser(dir.path(), program, {"--print", "0"})) == "x\n"; }, 15000);
    QString component;
    if (kde)
        WaitFor([&] { return !(component = KdeComponent()).isEmpty(); }, 10000);
    QThread::sleep(3); // the program's window, once mapped, takes the focus
    const QString typed = dir.filePath("typed.txt");
    window.start(helpers + "/text_window", {typed});
    QThread::sleep(1);

    const auto press = [&] {
        if (kde)
            QDBusInterface("org.kde.kglobalaccel", component, "org.kde.kglobalaccel.Component")
                .asyncCall("invokeShortcut", "series-paste");
        else
            QProcess::startDetached("setpriv", AsUser(dir.path(), program, {"--series-paste"}));
    };
    if (!kde) { // asked once a session
        QProcess user;
        user.start("setpriv",
                   AsDesktopUser + QStringList{"/usr/bin/python3", sources + "/tests/atspi.py"});
        press();
        user.waitForFinished(40000);
        WaitFor([&] { return Size(typed) > 0; }, 10000);
    }
    const QList<double> times = Time(presses, typed, press);
    for (QProcess* p : {&window, &quillery}) {
        p->kill();
        p->waitForFinished();
    }
    return Report(kde ? "kde hot key to pasted text" : "gnome command to pasted text", times,
                  presses);
}
