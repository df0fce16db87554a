// The real program on a real KDE Plasma compositor (kwin_wayland, headless): copies recorded
// through its data control from the first one after start on, and clips put back where
// Wayland programs read them.
#include "x11/Desktop.h"

#include <QProcess>
#include <QtTest>

#include <csignal>

using namespace Desktop;

namespace {
// Copies as a Wayland program does; wl-copy returns once it owns the clipboard.
void WlCopy(const QByteArray& text) {
    QProcess copy;
    copy.start("wl-copy", {});
    QVERIFY(copy.waitForStarted());
    copy.write(text);
    copy.closeWriteChannel();
    QVERIFY(copy.waitForFinished(5000));
}

void Stop(QProcess& process) {
    ::kill(pid_t(process.processId()), SIGTERM);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 0);
}
} // namespace

class TestKdeDesktop : public QObject {
    Q_OBJECT
private slots:
    void firstCopyAfterStartIsRecorded();
    void clipPutBackIsReadByWaylandPrograms();
};

// Over several starts, the first copy made once the window is up is in the list.
void TestKdeDesktop::firstCopyAfterStartIsRecorded() {
    int recorded = 0;
    const int starts = 8;
    for (int start = 0; start < starts; ++start) {
        TTestDir dir;
        QProcess quillery;
        const qint64 pid =
            StartQuillery(quillery, dir, "[Options]\nSplash=0\nAutoSave=1\nTray=0\n");
        QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());
        const QByteArray text = "first copy of start " + QByteArray::number(start);
        WlCopy(text);
        QTest::qWait(300);
        WlCopy("second copy");
        QTest::qWait(300);
        Stop(quillery);
        // What was on the clipboard at start is no copy.
        const QByteArray list = TTestDir::Read(dir.File("qlry0001.Clp"));
        QVERIFY2(list.startsWith(Clp({"second copy"})), list.constData());
        recorded += list == Clp({"second copy", text}) ? 1 : 0;
    }
    QCOMPARE(recorded, starts);
}

void TestKdeDesktop::clipPutBackIsReadByWaylandPrograms() {
    TTestDir dir;
    TTestDir::Write(dir.File("list.clp"), Clp({"from the list", "older"}));
    QProcess quillery;
    const qint64 pid = StartQuillery(
        quillery, dir,
        "[Options]\nSplash=0\nTray=0\nDefaultFile=" + dir.File("list.clp").toUtf8() + "\n");
    QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());
    QCOMPARE(Action(dir, {"--copy", "1"}).Status, 0);
    QTRY_COMPARE_WITH_TIMEOUT(Run("wl-paste", {"-n"}), QByteArray("older"), 3000);
    // Read again while another program has the focus: still served.
    QCOMPARE(Run("wl-paste", {"-n"}), QByteArray("older"));
    Stop(quillery);
}

QTEST_GUILESS_MAIN(TestKdeDesktop)
#include "tst_KdeDesktop.moc"
