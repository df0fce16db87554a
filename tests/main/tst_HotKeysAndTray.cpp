#include "core/Errors.h"
#include "fakes/ForEachClipboard.h"
#include "gui/main/PasteQueue.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QtTest>

using Texts = QList<QByteArray>;

namespace {
// A list whose rows read r0, r1, ...
void FillRows(TFormFixture& f, int rows) {
    for (int r = rows - 1; r >= 0; --r)
        f.Clipboard.CopyFromOtherProgram("r" + QByteArray::number(r));
}
int PastedRow(const TFormFixture& f) {
    return f.Clipboard.Current().mid(1).toInt();
}
} // namespace

class TestHotKeysAndTray : public QObject {
    Q_OBJECT
private slots:
    void registration_data();
    void registration();
    void releasedAtClose();
    void seriesPaste_data();
    void seriesPaste();
    void pasteByNumber_data();
    void pasteByNumber();
    void rowKeysDoNothingOnceRowPasteIsOff();
    void failedWriteNeitherPastesNorMoves();
    void queuedPastesOutliveNoTarget_data();
    void queuedPastesOutliveNoTarget();
    void fastPressesQueueTheirClips();
    void noTargetStillMoves();
    void restoreKeyToggles();
    void startMinimizedStaysReachable();
    void archivingSwitch();
    void suspendedAtStartAndAfterATranslation();
    void clearClipboard();
    void stayOnTop();
    void rollUp();
    void trayMenu();
};

void TestHotKeysAndTray::registration_data() {
    QTest::addColumn<bool>("rowPaste");
    QTest::addColumn<QString>("letters"); // RestoreHK, SPasteHK
    QTest::addColumn<QString>("taken");   // held by another program
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QList<int>>("registered");
    const QList<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const QString restore = "Unable to assign Restore hotkey.";
    const QString series = "Unable to assign Series Paste hotkey.";
    QTest::newRow("defaults") << false << "MV"
                              << "" << QStringList{} << QList<int>{11, 12};
    QTest::newRow("row keys too") << true << "MV"
                                  << "" << QStringList{} << all;
    QTest::newRow("restore key held elsewhere") << false << "MV"
                                                << "M" << QStringList{restore} << QList<int>{12};
    QTest::newRow("series key held elsewhere") << false << "MV"
                                               << "V" << QStringList{series} << QList<int>{11};
    QTest::newRow("a digit held: its id is one more")
        << true << "MV"
        << "0" << QStringList{"Unable to assign 1 hotkey."} << all.mid(1);
    QTest::newRow("one letter for both") << false << "VV"
                                         << "" << QStringList{series} << QList<int>{11};
    QTest::newRow("one letter in two cases") << false << "mM"
                                             << "" << QStringList{series} << QList<int>{11};
    QList<int> withoutRestore = all;
    withoutRestore.removeOne(11);
    QTest::newRow("restore on a row key") << true << "5V"
                                          << "" << QStringList{restore} << withoutRestore;
}

void TestHotKeysAndTray::registration() {
    QFETCH(bool, rowPaste);
    QFETCH(QString, letters);
    QFETCH(QString, taken);
    QFETCH(QStringList, messages);
    QFETCH(QList<int>, registered);
    TFormFixture f;
    f.Settings.RowPaste = rowPaste;
    f.Settings.RestoreHK = letters.at(0);
    f.Settings.SPasteHK = letters.at(1);
    if (!taken.isEmpty())
        f.HotKeys.Taken.insert(taken.at(0));
    f.Create();
    QStringList shown;
    for (const auto& s : f.Prompts.Shown)
        shown << s.Text;
    QCOMPARE(shown, messages);
    QCOMPARE(f.HotKeys.Registered.keys(), registered);
    for (int id : registered) {
        const QChar key = id <= 10 ? QChar('0' + id - 1) : letters.at(id - 11);
        QCOMPARE(f.HotKeys.Registered.value(id), key);
    }
}

void TestHotKeysAndTray::releasedAtClose() {
    TFormFixture f;
    f.Settings.Tray = false;
    auto& form = f.Create();
    form.close();
    QCOMPARE(f.HotKeys.Unregistered, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

void TestHotKeysAndTray::seriesPaste_data() {
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("pasted");
    QTest::newRow("down to the end and staying") << 1 << 22 << QList<int>{22, 23, 24, 24, 24};
    QTest::newRow("up stops at row 1") << 0 << 3 << QList<int>{3, 2, 1, 1, 1};
    QTest::newRow("up from row 0 pastes row 0 only") << 0 << 0 << QList<int>{0, 0, 0};
    QTest::newRow("other values stay") << 7 << 5 << QList<int>{5, 5, 5};
    QTest::newRow("no current row starts at the top") << 1 << -1 << QList<int>{0, 1, 2};
}

void TestHotKeysAndTray::seriesPaste() {
    QFETCH(int, direction);
    QFETCH(int, start);
    QFETCH(QList<int>, pasted);
    TFormFixture f;
    f.Settings.PowerPaste = quint16(direction);
    auto& form = f.Create();
    FillRows(f, 25);
    form.ListChanged = false;
    form.CurrentRow = start;
    QList<int> rows;
    for (int i = 0; i < pasted.size(); ++i) {
        f.HotKeys.Press(12);
        rows << PastedRow(f);
        QTRY_COMPARE(f.PasteTarget.Dones, i + 1); // the window took it: the next may go
    }
    QCOMPARE(rows, pasted);
    QCOMPARE(f.PasteTarget.Pastes.size(), pasted.size());
    QCOMPARE(f.Clips(2), (Texts{"r0", "r1"})); // nothing recorded
    QVERIFY(!form.ListChanged);
}

void TestHotKeysAndTray::pasteByNumber_data() {
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("row");
    QTest::newRow("Shift+Ctrl+0 is the current row") << 20 << 1 << 20;
    QTest::newRow("Shift+Ctrl+4") << 20 << 5 << 24;
    QTest::newRow("past the end: the last row") << 20 << 10 << 24;
    QTest::newRow("no current row counts from the top") << -1 << 3 << 2;
}

void TestHotKeysAndTray::pasteByNumber() {
    QFETCH(int, current);
    QFETCH(int, id);
    QFETCH(int, row);
    TFormFixture f;
    f.Settings.RowPaste = true;
    auto& form = f.Create();
    FillRows(f, 25);
    form.CurrentRow = current;
    f.HotKeys.Press(id);
    QCOMPARE(PastedRow(f), row);
    QCOMPARE(form.CurrentRow, current);
    QCOMPARE(f.PasteTarget.Pastes, QList<quint64>{0x42});
}

void TestHotKeysAndTray::rowKeysDoNothingOnceRowPasteIsOff() {
    TFormFixture f;
    f.Settings.RowPaste = true;
    auto& form = f.Create();
    FillRows(f, 5);
    const int writes = f.Clipboard.Writes;
    f.Settings.RowPaste = false; // switched off since start-up; the keys stay reserved
    f.HotKeys.Press(3);
    QCOMPARE(f.Clipboard.Writes, writes);
    QVERIFY(f.PasteTarget.Pastes.isEmpty());
    QVERIFY(f.HotKeys.Registered.contains(3));
    Q_UNUSED(form);
}

void TestHotKeysAndTray::fastPressesQueueTheirClips() {
    // Presses faster than the window takes its text: each clip goes on the clipboard only
    // once the one before has been taken, in the order of the presses.
    TFormFixture f;
    f.Settings.RowPaste = true;
    auto& form = f.Create();
    FillRows(f, 5);
    f.PasteTarget.Hold = true;
    f.HotKeys.Press(12);
    f.HotKeys.Press(12);
    f.HotKeys.Press(3); // paste by number counts from the row the series has reached
    f.HotKeys.Press(12);
    QCOMPARE(form.CurrentRow, 3);
    QList<QByteArray> onClipboard{f.Clipboard.Current()};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(f.PasteTarget.Pastes.size(), i + 1);
        f.PasteTarget.Finish();
        onClipboard << f.Clipboard.Current();
    }
    QCOMPARE(onClipboard, (QList<QByteArray>{"r0", "r1", "r4", "r2", "r2"}));
    QCOMPARE(f.PasteTarget.Pastes.size(), 4);
    QCOMPARE(f.Clips(2), (Texts{"r0", "r1"}));
}

void TestHotKeysAndTray::queuedPastesOutliveNoTarget_data() {
    QTest::addColumn<bool>("closed"); // the window closes while the presses wait
    QTest::addColumn<int>("waitMs");  // how long they wait
    QTest::newRow("window closed") << true << 0;
    QTest::newRow("waited too long") << false << 300;
}

// Presses waiting for their turn are dropped, and said, when their window has gone or they
// waited longer than a few seconds: never pasted into a window opened later.
void TestHotKeysAndTray::queuedPastesOutliveNoTarget() {
    QFETCH(bool, closed);
    QFETCH(int, waitMs);
    TFormFixture f;
    auto& form = f.Create();
    FillRows(f, 5);
    form.Pastes->MaxWaitMs = 200;
    f.PasteTarget.Hold = true;
    f.HotKeys.Press(12);
    f.HotKeys.Press(12);
    f.HotKeys.Press(12);
    if (closed)
        f.PasteTarget.Closed << 0x42;
    f.PasteTarget.Window = 0x43; // a window opened later
    QTest::qWait(waitMs);
    f.PasteTarget.Finish();
    QCOMPARE(f.PasteTarget.Pastes, QList<quint64>{0x42});
    QCOMPARE(form.pnlStatus->text(),
             "2 pastes were dropped: their window was closed, or they waited too long.");
}

void TestHotKeysAndTray::failedWriteNeitherPastesNorMoves() {
    TFormFixture f;
    auto& form = f.Create();
    FillRows(f, 5);
    f.Clipboard.FailWrites = true;
    f.HotKeys.Press(12);
    QCOMPARE(form.CurrentRow, 0);
    QVERIFY(f.PasteTarget.Pastes.isEmpty());
    QCOMPARE(f.Prompts.Shown.size(), 1);
    QCOMPARE(f.Prompts.Shown[0].Text, "Cannot open clipboard");
    QVERIFY(!form.OwnWrite);
}

void TestHotKeysAndTray::noTargetStillMoves() {
    TFormFixture f;
    f.PasteTarget.Window = 0;
    auto& form = f.Create();
    FillRows(f, 5);
    f.HotKeys.Press(12);
    QVERIFY(f.PasteTarget.Pastes.isEmpty());
    QCOMPARE(f.Clipboard.Current(), QByteArray("r0"));
    QCOMPARE(form.CurrentRow, 1);
}

void TestHotKeysAndTray::restoreKeyToggles() {
    TFormFixture f;
    auto& form = f.Create();
    form.show();
    f.HotKeys.Press(11);
    QVERIFY(f.Settings.Minimized);
    QVERIFY(form.isMinimized() || form.isHidden());
    f.HotKeys.Press(11);
    QVERIFY(!f.Settings.Minimized);
    QVERIFY(form.isVisible() && !form.isMinimized());
    form.TrayIcon1->activated(QSystemTrayIcon::Trigger); // the tray click is the same toggle
    QVERIFY(f.Settings.Minimized);
    form.TrayIcon1->activated(QSystemTrayIcon::Context); // the right button only opens the menu
    QVERIFY(f.Settings.Minimized);
    form.TrayIcon1->activated(QSystemTrayIcon::DoubleClick);
    QVERIFY(!f.Settings.Minimized);
}

void TestHotKeysAndTray::startMinimizedStaysReachable() {
    TFormFixture f;
    f.Settings.StartMin = true;
    f.Settings.Minimized = true;
    auto& form = f.Create();
    form.MinimizeApplication(); // what start-up does with StartMin
    // No tray here: the window must come up minimized, with its taskbar entry.
    QVERIFY(form.isMinimized());
    QVERIFY(f.Settings.Minimized);
    f.HotKeys.Press(11);
    QVERIFY(form.isVisible() && !form.isMinimized());
}

void TestHotKeysAndTray::archivingSwitch() {
    TFormFixture f;
    auto& form = f.Create();
    QCOMPARE(form.SuspendClipArchiving2->text(), "&Suspend Clip Archiving");
    const QImage normal = form.TrayIcon1->icon().pixmap(16).toImage();
    form.SuspendClipArchiving2->trigger();
    QVERIFY(f.Settings.NoArc);
    QCOMPARE(form.SuspendClipArchiving2->text(), "Re&sume Clip Archiving");
    QVERIFY(form.TrayIcon1->icon().pixmap(16).toImage() != normal);
    f.Clipboard.CopyFromOtherProgram("not recorded");
    QCOMPARE(f.Clips(1), Texts{""});
    form.SuspendClipArchiving2->trigger();
    QVERIFY(!f.Settings.NoArc);
    QCOMPARE(form.SuspendClipArchiving2->text(), "&Suspend Clip Archiving");
    QCOMPARE(form.TrayIcon1->icon().pixmap(16).toImage(), normal);
}

void TestHotKeysAndTray::suspendedAtStartAndAfterATranslation() {
    TFormFixture f;
    TTestDir::Write(
        f.Dir.File("T.lng"),
        "[Translations]\nQuilleryMainForm.popupTray.SuspendClipArchiving2.Caption=Pause\n"
        "QuilleryMainForm.popupTray.Close2.Caption=Beenden\n"
        "[Messages]\nRe&sume Clip Archiving=Weiter &archivieren\n");
    f.Settings.Language = "T";
    f.Settings.NoArc = true;
    auto& form = f.Create();
    QVERIFY(f.Settings.NoArc);
    QCOMPARE(form.SuspendClipArchiving2->text(), "Weiter &archivieren");
    QCOMPARE(form.Close2->text(), "Beenden");
}

void TestHotKeysAndTray::clearClipboard() {
    TFormFixture f;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("some text");
    form.ClearClipboard1->trigger();
    QVERIFY(!f.Clipboard.HasText());
    QCOMPARE(form.TrayHint(), "Quillery - 0 bytes");
    QCOMPARE(f.Clips(2), (Texts{"some text", ""}));
}

void TestHotKeysAndTray::stayOnTop() {
    TFormFixture f;
    auto& form = f.Create();
    form.show();
    // What the window manager makes of it is checked on the real desktop.
    form.StayOnTop1->trigger();
    QVERIFY(f.Settings.OnTop);
    QVERIFY(form.StayOnTop1->isChecked());
    QVERIFY(form.isVisible()); // changing the flag must not hide the window
    form.StayOnTop1->trigger();
    QVERIFY(!f.Settings.OnTop);
}

void TestHotKeysAndTray::rollUp() {
    TFormFixture f;
    auto& form = f.Create();
    form.show();
    form.resize(300, 280);
    form.RollUp1->trigger();
    QVERIFY(form.height() < 34);
    QCOMPARE(f.Settings.Height, 280);
    form.RollUp1->trigger();
    QCOMPARE(form.height(), 280);
    QVERIFY(!form.IsRolledUp());
    // Closed while rolled up: the unrolled height is what is kept.
    form.RollUp1->trigger();
    f.Settings.Tray = false;
    QVERIFY(form.close());
    QCOMPARE(f.Settings.Height, 280);
}

void TestHotKeysAndTray::trayMenu() {
    TFormFixture f;
    auto& form = f.Create();
    QStringList names;
    for (QAction* a : form.popupTray->actions())
        names << (a->isSeparator() ? "-" : a->objectName());
    QCOMPARE(names, (QStringList{"SuspendClipArchiving2", "ClearClipboard1", "StayOnTop1", "-",
                                 "Help3", "-", "Close2", "-", "Restore2"}));
    QCOMPARE(form.popupTray->defaultAction(), form.Restore2);
    QCOMPARE(form.TrayIcon1->contextMenu(), form.popupTray);
    QVERIFY(form.StayOnTop1->isCheckable());
}

QUILLERY_MAIN_FOR_EACH_CLIPBOARD(TestHotKeysAndTray)
#include "tst_HotKeysAndTray.moc"
