// Without a system tray the program must stay reachable: minimizing keeps a taskbar entry.
#include "fakes/TestDir.h"

#include <QProcess>
#include <QtTest>

namespace {
QByteArray Run(const QString& program, const QStringList& args, int timeoutMs = 10000) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(timeoutMs);
    return p.readAllStandardOutput().trimmed();
}
} // namespace

class TestNoTray : public QObject {
    Q_OBJECT
private slots:
    void minimizedNotHidden();
};

void TestNoTray::minimizedNotHidden() {
    TTestDir dir;
    QVERIFY(QFile::copy(QUILLERY_BIN_DIR "/quillery", dir.File("quillery")));
    TTestDir::Write(dir.File("Quillery.Ini"), "[Options]\nSplash=0\nTray=1\n");
    QProcess quillery;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", dir.Path());
    quillery.setProcessEnvironment(env);
    quillery.start(dir.File("quillery"), {});
    QVERIFY(quillery.waitForStarted());
    const QString window = QString::fromUtf8(Run("xdotool", {"search", "--all", "--sync", "--onlyvisible", "--pid",
                                                             QString::number(quillery.processId()), "--name", "^Quillery$"}))
                               .section('\n', 0, 0);
    QVERIFY(!window.isEmpty());
    auto state = [&] { return Run("xprop", {"-id", window, "WM_STATE"}); };
    for (const QStringList& ask : {QStringList{"key", "shift+ctrl+m"}, QStringList{"windowclose", window}}) {
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
