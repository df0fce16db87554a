// Without a system tray the program must stay reachable: minimizing keeps a taskbar entry.
#include "Desktop.h"

#include <QProcess>
#include <QtTest>

using namespace Desktop;

class TestNoTray : public QObject {
    Q_OBJECT
private slots:
    void minimizedNotHidden();
};

void TestNoTray::minimizedNotHidden() {
    TTestDir dir;
    QProcess quillery;
    const qint64 pid = StartQuillery(quillery, dir, "[Options]\nSplash=0\nTray=1\n");
    const QString window = WaitForWindow(pid, "Quillery");
    QVERIFY(!window.isEmpty());
    auto state = [&] { return Run("xprop", {"-id", window, "WM_STATE"}); };
    for (const QStringList& ask :
         {QStringList{"key", "shift+ctrl+m"}, QStringList{"windowclose", window}}) {
        if (ask.first() == "windowclose")
            Run("wmctrl", {"-i", "-c", window});
        else
            Run("xdotool", ask);
        // Iconic: minimized with its taskbar entry, not withdrawn out of reach.
        QTRY_VERIFY_WITH_TIMEOUT(state().contains("Iconic"), 3000);
        QCOMPARE(quillery.state(), QProcess::Running);
        Run("xdotool", {"key", "shift+ctrl+m"});
        QTRY_VERIFY_WITH_TIMEOUT(state().contains("Normal"), 3000);
    }
    quillery.terminate();
    QVERIFY(quillery.waitForFinished(10000));
}

QTEST_MAIN(TestNoTray)
#include "tst_NoTray.moc"
