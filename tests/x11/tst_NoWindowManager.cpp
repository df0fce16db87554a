// Pasting where no window manager runs: the target gets the focus the plain X way.
#include "Desktop.h"

#include <QProcess>
#include <QtTest>

using namespace Desktop;

class TestNoWindowManager : public QObject {
    Q_OBJECT
private slots:
    void seriesPaste();
};

void TestNoWindowManager::seriesPaste() {
    TTestDir dir;
    QProcess quillery, target;
    const qint64 pid = StartQuillery(quillery, dir, "[Options]\nSplash=0\nTray=0\n");
    QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());
    XclipCopy("no manager");
    QTest::qWait(200);
    target.start("python3",
                 {QUILLERY_SOURCE_DIR "/tests/x11/helpers/paste_target.py", dir.File("out.txt")});
    QVERIFY(target.waitForStarted());
    const QString window = WaitForWindow(0, "Paste Target");
    QVERIFY(!window.isEmpty());
    Run("xdotool", {"windowfocus", "--sync", window});
    QTest::qWait(300);
    Run("xdotool", {"key", "shift+ctrl+v"});
    QTRY_COMPARE_WITH_TIMEOUT(QString::fromUtf8(TTestDir::Read(dir.File("out.txt"))),
                              QString("no manager"), 5000);
    target.kill();
    target.waitForFinished();
    quillery.terminate();
    QVERIFY(quillery.waitForFinished(10000));
}

QTEST_MAIN(TestNoWindowManager)
#include "tst_NoWindowManager.moc"
