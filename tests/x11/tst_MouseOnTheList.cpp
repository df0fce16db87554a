// The mouse on the real program's clip list, with real programs on the other side: a click
// picks a clip, a right-button drag carries one into a GTK window, and text dragged from a GTK
// window becomes a clip.
#include "Desktop.h"

#include <QtTest>

#include <csignal>

using namespace Desktop;

namespace {
// Row r's centre in the main window's client area: under the menu bar and the 41-pixel tool
// bar, rows 21 pixels high (the default font, DejaVu Sans 9 pt).
QStringList AtRow(const QString& window, int row) {
    return {"mousemove", "--window", window, "100", QString::number(72 + 21 * row)};
}

const QString Helper = QUILLERY_SOURCE_DIR "/tests/x11/helpers/dnd_window.py";
} // namespace

class TestMouseOnTheList : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void clickPicksAndRightDragCarriesOut();
    void textDraggedInBecomesAClip();

private:
    void StartGtk(const QStringList& args);
    QString Stop(); // SIGTERM; the list it saved
    std::unique_ptr<TTestDir> Dir;
    QProcess Main, Gtk;
    QString Window;
};

void TestMouseOnTheList::init() {
    if (!QFile::exists("/usr/bin/python3") ||
        QProcess::execute("/usr/bin/python3",
                          {"-c", "import gi; gi.require_version('Gtk', '3.0')"}))
        QSKIP("GTK for Python (python3-gi, gir1.2-gtk-3.0) is not installed");
    Dir = std::make_unique<TTestDir>();
    const qint64 pid =
        StartQuillery(Main, *Dir, "[Options]\nSplash=0\nAutoSave=1\nRows=5\nTop=100\nLeft=100\n");
    Window = WaitForWindow(pid, "Quillery");
    QVERIFY(!Window.isEmpty());
}

void TestMouseOnTheList::cleanup() {
    for (QProcess* p : {&Main, &Gtk}) {
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished();
        }
    }
    Dir.reset();
}

void TestMouseOnTheList::StartGtk(const QStringList& args) {
    Gtk.start("/usr/bin/python3", QStringList{Helper} + args);
    QVERIFY(Gtk.waitForStarted());
}

QString TestMouseOnTheList::Stop() {
    ::kill(pid_t(Main.processId()), SIGTERM);
    [&] { QVERIFY(Main.waitForFinished(10000)); }();
    return QString::fromUtf8(TTestDir::Read(Dir->File("qlry0001.Clp")));
}

void TestMouseOnTheList::clickPicksAndRightDragCarriesOut() {
    // Too wide for the column: resting on it shows the hint over the cell, and the click
    // goes through the hint.
    const QString second = QString("second ").repeated(60) + "end";
    for (const QString& clip : {QString("third"), second, QString("first")}) {
        XclipCopy(clip.toUtf8());
        QTest::qWait(300);
    }
    Run("xdotool", AtRow(Window, 1));
    QTest::qWait(500);
    Run("xdotool", {"click", "1"});
    QTRY_COMPARE_WITH_TIMEOUT(Run("xclip", {"-selection", "clipboard", "-o"}), second, 3000);

    const QString out = Dir->File("dropped.txt");
    StartGtk({"target", out});
    const QString target = WaitForWindow(Gtk.processId(), "Drop Target");
    QVERIFY(!target.isEmpty());
    Run("xdotool", AtRow(Window, 2) + QStringList{"mousedown", "3"});
    for (int i = 0; i < 5; ++i) {
        Run("xdotool", {"mousemove_relative", "5", "0"});
        QTest::qWait(50);
    }
    Run("xdotool", {"mousemove", "--window", target, "150", "100"});
    QTest::qWait(300);
    Run("xdotool", {"mousemove", "--window", target, "155", "105"});
    QTest::qWait(300);
    Run("xdotool", {"mouseup", "3"});
    QTRY_COMPARE_WITH_TIMEOUT(TTestDir::Read(out), QByteArray("text\tthird\n"), 5000);
    // Neither the click nor the drag added a clip.
    QCOMPARE(Stop(), QString::fromLatin1(Clp({"first", second.toUtf8(), "third"})));
}

void TestMouseOnTheList::textDraggedInBecomesAClip() {
    StartGtk({"source", "from GTK"});
    const QString source = WaitForWindow(Gtk.processId(), "Drag Source");
    QVERIFY(!source.isEmpty());
    auto dragIn = [&] {
        Run("xdotool", {"mousemove", "--window", source, "150", "100"});
        QTest::qWait(200); // the source sees the pointer come before the press
        Run("xdotool", {"mousedown", "1"});
        for (int i = 0; i < 6; ++i) {
            Run("xdotool", {"mousemove_relative", "0", "5"});
            QTest::qWait(50);
        }
        Run("xdotool", AtRow(Window, 1));
        QTest::qWait(300);
        Run("xdotool", {"mousemove_relative", "5", "2"});
        QTest::qWait(300);
        Run("xdotool", {"mouseup", "1"});
    };
    dragIn(); // the current clip is empty: it takes the text
    QTest::qWait(800);
    dragIn(); // now it is not: asked, and No makes a new first clip
    const QString question = WaitForWindow(Main.processId(), "Confirmation.*");
    QVERIFY(!question.isEmpty());
    Run("xdotool", {"windowactivate", "--sync", question});
    Run("xdotool", {"key", "alt+n"});
    QTest::qWait(300);
    QCOMPARE(Stop(), QString::fromLatin1(Clp({"from GTK", "from GTK"})));
}

QTEST_MAIN(TestMouseOnTheList)
#include "tst_MouseOnTheList.moc"
