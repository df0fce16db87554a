// The desktop portal's global shortcuts and remote desktop, against a stand-in portal of the
// test's own on a private session bus: the real program binds its shortcuts and pastes when
// one is activated; the remote desktop types Ctrl+V, keeps the desktop's token, and once
// refused types nothing.
#include "Desktop.h"
#include "fakes/TestDir.h"
#include "platform/portal/PortalPaste.h"
#include "platform/portal/PortalShortcuts.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

class TestPortal : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();
    void shortcutsBoundAndActivated_data();
    void shortcutsBoundAndActivated();
    void refusedShortcutsAreSaid();
    void remoteDesktopPaste_data();
    void remoteDesktopPaste();

private:
    void StartPortal(const QStringList& args = {});

    QProcess Bus, Portal, Quillery, Keyboard, Window;
    QStringList Calls; // what the portal was asked, in order
    std::unique_ptr<TTestDir> Dir;
};

void TestPortal::initTestCase() {
    Bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    QVERIFY(Bus.waitForReadyRead(10000));
    qputenv("DBUS_SESSION_BUS_ADDRESS", Bus.readLine().trimmed());
}

void TestPortal::cleanupTestCase() {
    Bus.terminate();
    Bus.waitForFinished();
}

void TestPortal::init() {
    Dir = std::make_unique<TTestDir>();
    Calls.clear();
}

void TestPortal::cleanup() {
    for (QProcess* p : {&Window, &Keyboard, &Quillery, &Portal}) {
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished();
        }
    }
    Portal.disconnect();
    Dir.reset();
}

void TestPortal::StartPortal(const QStringList& args) {
    Portal.start(QUILLERY_HELPER_DIR "/portal_stand_in", args);
    QVERIFY(Portal.waitForReadyRead(5000));
    QCOMPARE(Portal.readLine(), QByteArray("ready\n"));
    connect(&Portal, &QProcess::readyRead, this, [this] {
        while (Portal.canReadLine())
            Calls << QString::fromUtf8(Portal.readLine()).trimmed();
    });
}

void TestPortal::shortcutsBoundAndActivated_data() {
    QTest::addColumn<QString>("desktop"); // XDG_CURRENT_DESKTOP
    QTest::addColumn<QString>("kde");     // KDE_SESSION_VERSION
    QTest::addColumn<QString>("call");    // the one that names the shortcuts
    QTest::newRow("bound in the session") << "sway"
                                          << ""
                                          << "BindShortcuts";
    QTest::newRow("Plasma 5: named when the session is made") << "KDE"
                                                              << "5"
                                                              << "CreateSession";
    QTest::newRow("Plasma 6: bound in the session") << "KDE"
                                                    << "6"
                                                    << "BindShortcuts";
}

void TestPortal::shortcutsBoundAndActivated() {
    QFETCH(QString, desktop);
    QFETCH(QString, kde);
    QFETCH(QString, call);
    StartPortal();
    WaylandDesktop::StartKeyboard(Keyboard);
    QVERIFY(QFile::copy(QUILLERY_BIN_DIR "/quillery", Dir->File("quillery")));
    TTestDir::Write(Dir->File("list.clp"), Clp({"one ", "two ", "three "}));
    TTestDir::Write(Dir->File("Quillery.Ini"),
                    "[Options]\nSplash=0\nTray=0\nRows=5\nRowPaste=1\nRestoreHK=K\n"
                    "DefaultFile=" +
                        Dir->File("list.clp").toUtf8() + "\n");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    env.insert("XDG_CURRENT_DESKTOP", desktop);
    env.insert("KDE_SESSION_VERSION", kde);
    env.insert("ASAN_OPTIONS", "fast_unwind_on_malloc=0");
    // A runtime folder of its own: the desktop's is nobody's, where Qt would put the program's
    // single-instance lock in one folder for every test running beside this one.
    env.insert("WAYLAND_DISPLAY", qEnvironmentVariable("XDG_RUNTIME_DIR") + '/' +
                                      qEnvironmentVariable("WAYLAND_DISPLAY"));
    env.insert("XDG_RUNTIME_DIR", Dir->Path());
    Quillery.setProcessEnvironment(env);
    Quillery.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    Quillery.start(Dir->File("quillery"));
    QStringList bound{call + " toggle CTRL+SHIFT+k", call + " series-paste CTRL+SHIFT+v"};
    for (int digit = 0; digit <= 9; ++digit)
        bound << QStringLiteral("%1 paste-%2 CTRL+SHIFT+%2").arg(call).arg(digit);
    QTRY_VERIFY2_WITH_TIMEOUT(Calls.filter(call + ' ').size() >= bound.size(),
                              qPrintable(Calls.join('\n')), 20000);
    for (const QString& shortcut : bound)
        QVERIFY2(Calls.contains(shortcut), qPrintable(Calls.join('\n')));
    QCOMPARE(Calls.first(), QString("org.freedesktop.portal.GlobalShortcuts CreateSession"));
    QCOMPARE(Calls.filter("BindShortcuts").isEmpty(), call != "BindShortcuts");

    WaylandDesktop::StartTextWindow(Window, Keyboard, Dir->File("typed.txt"));
    Portal.write("activate series-paste\nactivate series-paste\nactivate paste-0\n");
    QTRY_COMPARE_WITH_TIMEOUT(WaylandDesktop::Typed(Dir->File("typed.txt")),
                              QByteArray("one two three "), 5000);
}

// A portal whose back end is another desktop's refuses the session (sway with KDE's back end
// installed): the keys are then unavailable, and the window says to bind commands.
void TestPortal::refusedShortcutsAreSaid() {
    StartPortal({"--refuse-shortcuts"});
    TPortalShortcuts keys(false);
    QSignalSpy refused(&keys, &IHotKeys::Unavailable);
    QVERIFY(keys.Available());
    QVERIFY(keys.Register(SeriesPasteHotKey, 'V'));
    QVERIFY(refused.wait(5000));
    QVERIFY(!keys.Available());
    QVERIFY(keys.Register(RestoreHotKey, 'K')); // a second binding: said once
    QTest::qWait(300);
    QCOMPARE(refused.size(), 1);
}

void TestPortal::remoteDesktopPaste_data() {
    QTest::addColumn<QString>("portal"); // the stand-in's option
    QTest::newRow("allowed") << QString();
    QTest::newRow("refused") << "--refuse";
    // A portal that hangs: each key gives up after a while, and the paste still ends.
    QTest::newRow("keys never answered") << "--deaf-keys";
}

void TestPortal::remoteDesktopPaste() {
    QFETCH(QString, portal);
    const bool refuse = portal == "--refuse";
    StartPortal(portal.isEmpty() ? QStringList{} : QStringList{portal});
    const QString token = Dir->File("state/token");
    {
        TPortalPaste paste(token);
        QSignalSpy done(&paste, &IPasteTarget::Done);
        QVERIFY(paste.CanPaste());
        paste.Paste(paste.FindPasteWindow());
        QCOMPARE(done.size(), 0); // never inside the call
        QTRY_COMPARE_WITH_TIMEOUT(done.size(), 1, 10000);
        QCOMPARE(paste.CanPaste(), !refuse);
        QCOMPARE(paste.FindPasteWindow() != 0, !refuse);
    }
    const QStringList keys = Calls.filter("key ");
    const QStringList typed{"key 29 1", "key 47 1", "key 47 0", "key 29 0"};
    QCOMPARE(keys, refuse ? QStringList() : typed);
    QVERIFY(!Calls.contains("overlapping key"));
    QVERIFY(Calls.contains("SelectDevices types=1 persist=2 token="));
    QCOMPARE(TTestDir::Read(token), refuse ? QByteArray() : QByteArray("token-1"));
    if (!portal.isEmpty())
        return;
    // A later start brings the token: the desktop need not ask again.
    TPortalPaste again(token);
    QSignalSpy done(&again, &IPasteTarget::Done);
    again.Paste(again.FindPasteWindow());
    QCOMPARE(done.size(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(done.size(), 1, 5000);
    QVERIFY(Calls.contains("SelectDevices types=1 persist=2 token=token-1"));
}

QTEST_GUILESS_MAIN(TestPortal)
#include "tst_Portal.moc"
