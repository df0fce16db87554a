#pragma once

// What every Wayland desktop must show of the real program, whatever way the desktop gives it
// the clipboard: copies of Wayland and X11 programs recorded from the first one after start
// on, and clips put back where Wayland programs read them; and the program run as the
// desktop's user, for its portal.
#include "wayland/Desktop.h"
#include "x11/Desktop.h"

#include <QtTest>

namespace DesktopChecks {

// Rows of copiers: a Wayland program and an X11 one.
inline void Copiers() {
    QTest::addColumn<bool>("x11");
    QTest::newRow("a Wayland program copies") << false;
    QTest::newRow("an X11 program copies") << true;
}

// Over several starts, the first copy made once the window is up is in the list, and what was
// on the clipboard at start is not.
inline void FirstCopiesAfterStart(bool x11, int starts) {
    using namespace Desktop;
    const auto copy = [x11](const QByteArray& text) {
        x11 ? XclipCopy(text) : WaylandDesktop::WlCopy(text);
    };
    int recorded = 0;
    for (int start = 0; start < starts; ++start) {
        TTestDir dir;
        QProcess quillery;
        const qint64 pid =
            StartQuillery(quillery, dir, "[Options]\nSplash=0\nAutoSave=1\nTray=0\n");
        const QString window = WaitForWindow(pid, "Quillery");
        QVERIFY(!window.isEmpty());
        // KWin takes an X11 program's copy to the desktop's clipboard only while an X11
        // window is active, as the copier's is when a user copies; xclip has none, so the
        // program's own window, active a moment after it is shown, stands in for it.
        if (x11)
            QTRY_COMPARE_WITH_TIMEOUT(Run("xdotool", {"getactivewindow"}), window.toUtf8(), 5000);
        const QByteArray text = "first copy of start " + QByteArray::number(start);
        copy(text);
        QTest::qWait(300);
        copy("second copy");
        QTest::qWait(300);
        Stop(quillery);
        const QByteArray list = TTestDir::Read(dir.File("qlry0001.Clp"));
        QVERIFY2(list.startsWith(Clp({"second copy"})), list.constData());
        recorded += list == Clp({"second copy", text}) ? 1 : 0;
    }
    QCOMPARE(recorded, starts);
}

// Read again while another program has the focus: still served.
inline void ClipPutBackIsRead() {
    using namespace Desktop;
    TTestDir dir;
    TTestDir::Write(dir.File("list.clp"), Clp({"from the list", "older"}));
    QProcess quillery;
    const qint64 pid = StartQuillery(
        quillery, dir,
        "[Options]\nSplash=0\nTray=0\nDefaultFile=" + dir.File("list.clp").toUtf8() + "\n");
    QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());
    QCOMPARE(Action(dir, {"--copy", "1"}).Status, 0);
    QTRY_COMPARE_WITH_TIMEOUT(Run("wl-paste", {"-n"}), QByteArray("older"), 3000);
    QCOMPARE(Run("wl-paste", {"-n"}), QByteArray("older"));
    Stop(quillery);
}

// The program in dir, as the desktop's user.
inline QStringList AsDesktopUser(const TTestDir& dir, const QString& platform = "xcb") {
    return WaylandDesktop::ProgramAsDesktopUser(dir.Path(), dir.File("quillery"), platform);
}

// Started with a list of these clips; back once it serves actions (its window is shown).
inline void StartAsDesktopUser(QProcess& quillery, const TTestDir& dir,
                               const QList<QByteArray>& clips, const QString& platform = "xcb") {
    using Desktop::Run;
    QVERIFY(QFile::copy(QUILLERY_BIN_DIR "/quillery", dir.File("quillery")));
    TTestDir::Write(dir.File("list.clp"), Clp(clips));
    TTestDir::Write(dir.File("Quillery.Ini"), "[Options]\nSplash=0\nTray=0\nRowPaste=1\n"
                                              "DefaultFile=" +
                                                  dir.File("list.clp").toUtf8() + "\n");
    QVERIFY(Run("chown", {"-R", "nobody", dir.Path()}).isEmpty());
    quillery.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    quillery.start("setpriv", AsDesktopUser(dir, platform));
    QVERIFY(quillery.waitForStarted());
    const QStringList print = AsDesktopUser(dir) << "--print"
                                                 << "0";
    QTRY_COMPARE_WITH_TIMEOUT(Run("setpriv", print), clips[0].trimmed(), 10000); // Run trims
}

} // namespace DesktopChecks
