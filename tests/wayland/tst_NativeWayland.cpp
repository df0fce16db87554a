// The real program on a Wayland desktop without an X server: its window on Qt's Wayland
// platform, its clipboard through data control. Copies made by another program reach the list
// and its file; a clicked clip is served to other programs and not recorded again; a
// termination signal ends it with the list saved.
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
QByteArray WlPaste() {
    QProcess paste;
    paste.start("wl-paste", {"--no-newline"});
    paste.waitForFinished(10000);
    return paste.readAllStandardOutput();
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
    // In the sanitizer build: whole stacks, by which the Wayland platform's own leaks are known.
    env.insert("ASAN_OPTIONS", "fast_unwind_on_malloc=0");
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

    // A click on the second clip puts it on the clipboard for every program; it does not come
    // back as a copy. The window fills the headless screen: its second row is at y 113.
    QProcess click;
    click.start(QUILLERY_HELPER_DIR "/wl_click", {"200", "113"});
    QVERIFY(click.waitForFinished(10000));
    QCOMPARE(WlPaste(), QByteArray("two"));
    QTest::qWait(1500); // an Auto Save second
    QCOMPARE(TTestDir::Read(list), Clp({"caf\xc3\xa9\r\nline", "two", "one"}));
    WlCopy("after");
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(list),
                              Clp({"after", "caf\xc3\xa9\r\nline", "two", "one"}), 5000);

    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestNativeWayland)
#include "tst_NativeWayland.moc"
