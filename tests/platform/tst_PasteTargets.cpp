// Every paste target keeps the promise the paste queue relies on: Done once for each paste,
// and never before Paste has returned (else the queue is entered again from inside its own
// call). One test, run in three places, each taking the realisations found there: offscreen
// (the fake, a desktop without pasting, the portal without a session bus), in an X session,
// and on sway.
#include "fakes/TestDir.h"
#include "platform/fake/FakePasteTarget.h"
#include "platform/portal/PortalPaste.h"
#include "platform/session/NoServices.h"
#include "platform/wayland/WaylandClipboard.h"
#include "platform/wayland/WaylandPasteTarget.h"
#include "platform/x11/X11PasteTarget.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QtTest>

#include <memory>

namespace {
enum class TWhere { Offscreen, X11, Wayland };

TWhere Here() {
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return TWhere::X11;
    return qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ? TWhere::Wayland : TWhere::Offscreen;
}
} // namespace

class TestPasteTargets : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void doneFollowsEachPaste_data();
    void doneFollowsEachPaste();

private:
    std::unique_ptr<TTestDir> Dir;
};

void TestPasteTargets::initTestCase() {
    Dir = std::make_unique<TTestDir>();
}

void TestPasteTargets::doneFollowsEachPaste_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("window"); // "found", "none", or "closed" during the paste
    switch (Here()) {
    case TWhere::Offscreen:
        QTest::newRow("fake") << "fake"
                              << "found";
        QTest::newRow("no pasting") << "none"
                                    << "found";
        // Its session's request fails before Paste returns.
        QTest::newRow("portal without a bus") << "portal"
                                              << "found";
        break;
    case TWhere::X11:
        QTest::newRow("x11 window") << "x11"
                                    << "found";
        QTest::newRow("x11 no window") << "x11"
                                       << "none";
        QTest::newRow("x11 window closed") << "x11"
                                           << "closed";
        break;
    case TWhere::Wayland:
        QTest::newRow("wayland focused window") << "wayland"
                                                << "found";
        break;
    }
}

void TestPasteTargets::doneFollowsEachPaste() {
    QFETCH(QString, target);
    QFETCH(QString, window);
    if (target == "portal")
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + Dir->File("no-bus").toUtf8());
    std::unique_ptr<TWaylandClipboard> board;
    std::unique_ptr<IPasteTarget> paste;
    if (target == "fake")
        paste = std::make_unique<TFakePasteTarget>();
    else if (target == "none")
        paste = std::make_unique<TNoPasting>();
    else if (target == "portal")
        paste = std::make_unique<TPortalPaste>(Dir->File("token"));
    else if (target == "x11")
        paste = std::make_unique<TX11PasteTarget>();
    else {
        board = std::make_unique<TWaylandClipboard>();
        QVERIFY(board->IsConnected());
        paste = std::make_unique<TWaylandPasteTarget>(*board);
    }
    QLineEdit edit; // the test's own window takes the X11 paste
    if (target == "x11" && window != "none") {
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
    }
    QSignalSpy done(paste.get(), &IPasteTarget::Done);
    for (int n = 1; n <= 2; ++n) { // and the next paste goes on after it
        const quint64 id =
            target == "x11" ? (window == "none" ? 0 : edit.winId()) : paste->FindPasteWindow();
        paste->Paste(id);
        QCOMPARE(done.size(), n - 1);
        if (window == "closed")
            edit.hide();
        QTRY_COMPARE_WITH_TIMEOUT(done.size(), n, 8000);
        QTest::qWait(200);
        QCOMPARE(done.size(), n);
        if (window == "closed") {
            edit.show();
            QVERIFY(QTest::qWaitForWindowExposed(&edit));
        }
    }
}

QTEST_MAIN(TestPasteTargets)
#include "tst_PasteTargets.moc"
