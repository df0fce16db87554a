// The real program on a Wayland desktop without an X server: its window on Qt's Wayland
// platform, its clipboard through data control. Copies made by another program reach the list
// and its file; a termination signal ends it with the list saved.
#include "fakes/TestDir.h"

#include <QProcess>
#include <QtTest>

#include <csignal>

namespace {
void WlCopy(const QByteArray& text) {
    QProcess copy;
    copy.start("wl-copy");
    copy.write(text);
    copy.closeWriteChannel();
    QVERIFY(copy.waitForFinished(10000));
}
} // namespace

class TestNativeWayland : public QObject {
    Q_OBJECT
private slots:
    void copiesReachTheList();
};

void TestNativeWayland::copiesReachTheList() {
    TTestDir dir;
    QVERIFY(QFile::copy(QUILLERY_BIN_DIR "/quillery", dir.File("quillery")));
    const QString list = dir.File("list.clp");
    TTestDir::Write(dir.File("Quillery.Ini"), "[Options]\nSplash=0\nTray=0\nAutoSave=1\nRows=5\n"
                                              "DefaultFile=" +
                                                  list.toUtf8() + "\n");
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM"); // the program picks Wayland itself
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(dir.File("quillery"));
    QVERIFY(program.waitForStarted());
    // Started once its clipboard is there: the first copy is written at once.
    QTRY_VERIFY_WITH_TIMEOUT((WlCopy("one"), TTestDir::Read(list) == Clp({"one"})), 10000);
    WlCopy("two");
    WlCopy("caf\xc3\xa9\r\nline");
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(list), Clp({"caf\xc3\xa9\r\nline", "two", "one"}),
                              5000);
    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestNativeWayland)
#include "tst_NativeWayland.moc"
