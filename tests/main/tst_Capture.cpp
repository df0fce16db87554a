#include "core/Errors.h"
#include "fakes/ForEachClipboard.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest>

using Texts = QList<QByteArray>;

class TestCapture : public QObject {
    Q_OBJECT
private slots:
    void startState();
    void desktopLimitsAreSaid_data();
    void desktopLimitsAreSaid();
    void copiesBecomeClipsNewestFirst_data();
    void copiesBecomeClipsNewestFirst();
    void trayHintAndBeep();
    void ignoredChangesLeaveHintAlone_data();
    void ignoredChangesLeaveHintAlone();
    void fullListDropsOldest();
    void rowsZeroKeepsOneRow();
    void insertedRowsAreKept();
    void appendMode();
    void appendModeWithoutCurrentRowRecordsAtTop();
    void copyWhileEditingKeepsTheEdit_data();
    void copyWhileEditingKeepsTheEdit();
    void ownWritesAreNotRecorded();
    void failedReadIsReported();
    void textPresentAtStartIsNotRecorded();
    void tooLargeIsSaidNotRecorded();
};

void TestCapture::startState() {
    TFormFixture f;
    f.Settings.Rows = 7;
    auto& form = f.Create();
    QCOMPARE(form.StringGrid1->RowCount(), 7);
    QCOMPARE(form.StringGrid1->ColCount(), 2);
    QVERIFY(form.StringGrid1->isColumnHidden(0));
    QCOMPARE(form.CurrentRow, 0);
    QCOMPARE(form.CurrentCol, 1);
    QVERIFY(form.CaptureArmed);
    QVERIFY(!form.OwnWrite && !form.ListChanged && !form.CloseAllowed);
    QCOMPARE(form.TrayHint(), "Quillery");
    QVERIFY(!form.APpendMode1->isChecked());
    QCOMPARE(form.StringGrid1->NewRowOnKeyDown, kdNever);
    QCOMPARE(form.StringGrid1->SortOnTitleClick, tcNone);
    QVERIFY(!form.StringGrid1->EOLToSpace);
}

// What the desktop does not allow is said at start, and no hot key is asked for where there
// are none (no box for each).
void TestCapture::desktopLimitsAreSaid_data() {
    QTest::addColumn<bool>("partly"); // the clipboard seen only in part
    QTest::addColumn<bool>("noHotKeys");
    QTest::addColumn<QString>("said");
    QTest::newRow("X11: nothing to say") << false << false << "";
    QTest::newRow("Wayland without data control") << true << false << "no data control";
    QTest::newRow("a Wayland window") << false << true << "no global hot keys";
}

void TestCapture::desktopLimitsAreSaid() {
    QFETCH(bool, partly);
    QFETCH(bool, noHotKeys);
    QFETCH(QString, said);
    TFormFixture f;
    f.Clipboard.FocusOnly = partly;
    f.HotKeys.NoneHere = noHotKeys;
    auto& form = f.Create();
    QCOMPARE(form.pnlStatus->text().isEmpty(), said.isEmpty());
    QVERIFY(form.pnlStatus->text().contains(said));
    QVERIFY(f.Prompts.Shown.isEmpty());
    QCOMPARE(f.HotKeys.Registered.isEmpty(), noHotKeys);
}

void TestCapture::copiesBecomeClipsNewestFirst_data() {
    QTest::addColumn<Texts>("copies");
    QTest::addColumn<Texts>("top");
    QTest::newRow("A B A gives three clips") << Texts{"A", "B", "A"} << Texts{"A", "B", "A", ""};
    QTest::newRow("same text twice gives one") << Texts{"same", "same"} << Texts{"same", ""};
    QTest::newRow("letter case counts") << Texts{"clip", "CLIP"} << Texts{"CLIP", "clip", ""};
    QTest::newRow("empty text ignored") << Texts{"x", ""} << Texts{"x", ""};
    QTest::newRow("multi-line text kept whole") << Texts{"a\r\nb\nc"} << Texts{"a\r\nb\nc", ""};
    QTest::newRow("legacy bytes kept") << Texts{"caf\xe9"} << Texts{"caf\xe9", ""};
}

void TestCapture::copiesBecomeClipsNewestFirst() {
    QFETCH(Texts, copies);
    QFETCH(Texts, top);
    TFormFixture f;
    auto& form = f.Create();
    for (const QByteArray& text : copies)
        f.Clipboard.CopyFromOtherProgram(text);
    QCOMPARE(f.Clips(static_cast<int>(top.size())), top);
    QCOMPARE(form.StringGrid1->RowCount(), 25);
    QCOMPARE(form.ListChanged, !top.first().isEmpty());
    QCOMPARE(form.StringGrid1->Selection(), (TGridRect{0, 0, 1, 0}));
    QCOMPARE(form.CurrentRow, 0);
}

void TestCapture::trayHintAndBeep() {
    TFormFixture f;
    f.Settings.Beep = true;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("hello");
    QCOMPARE(form.TrayHint(), "Quillery - 5 bytes");
    QCOMPARE(f.Sound.Beeps, 1);
    form.ListChanged = false;
    f.Clipboard.CopyFromOtherProgram("hello"); // duplicate: hint again, no beep, no change
    QCOMPARE(f.Sound.Beeps, 1);
    QVERIFY(!form.ListChanged);
    f.Clipboard.CopyFromOtherProgram(QString::fromUtf8("grüße").toUtf8());
    QCOMPARE(form.TrayHint(), "Quillery - 7 bytes"); // bytes, not characters
    f.Clipboard.CopyFromOtherProgram("");
    QCOMPARE(form.TrayHint(), "Quillery - 0 bytes");
    QCOMPARE(f.Sound.Beeps, 2);
}

void TestCapture::ignoredChangesLeaveHintAlone_data() {
    QTest::addColumn<QString>("why");
    QTest::newRow("picture") << "picture";
    QTest::newRow("password") << "secret";
    QTest::newRow("suspended") << "noarc";
    QTest::newRow("disarmed") << "disarmed";
}

void TestCapture::ignoredChangesLeaveHintAlone() {
    QFETCH(QString, why);
    TFormFixture f;
    f.Settings.NoArc = why == "noarc";
    f.Settings.Beep = true;
    auto& form = f.Create();
    form.CaptureArmed = why != "disarmed";
    if (why == "picture")
        f.Clipboard.CopyNonText();
    else
        f.Clipboard.CopyFromOtherProgram("hunter2", why == "secret");
    QCOMPARE(f.Clips(1), Texts{""});
    QCOMPARE(form.TrayHint(), "Quillery");
    QCOMPARE(f.Sound.Beeps, 0);
    QVERIFY(!form.ListChanged);
}

void TestCapture::fullListDropsOldest() {
    TFormFixture f;
    f.Settings.Rows = 3;
    auto& form = f.Create();
    for (const char* t : {"1", "2", "3", "4"})
        f.Clipboard.CopyFromOtherProgram(t);
    QCOMPARE(f.Clips(3), (Texts{"4", "3", "2"}));
    QCOMPARE(form.StringGrid1->RowCount(), 3);
}

void TestCapture::rowsZeroKeepsOneRow() {
    TFormFixture f;
    f.Settings.Rows = 0;
    auto& form = f.Create();
    QCOMPARE(form.StringGrid1->RowCount(), 1);
    f.Clipboard.CopyFromOtherProgram("first");
    f.Clipboard.CopyFromOtherProgram("second");
    QCOMPARE(f.Clips(1), Texts{"second"});
    QCOMPARE(form.StringGrid1->RowCount(), 1);
}

void TestCapture::insertedRowsAreKept() {
    TFormFixture f;
    f.Settings.Rows = 2;
    auto& form = f.Create();
    form.StringGrid1->InsertRow(0);
    f.Clipboard.CopyFromOtherProgram("new");
    QCOMPARE(form.StringGrid1->RowCount(), 3);
    QCOMPARE(f.Clips(1), Texts{"new"});
}

void TestCapture::appendMode() {
    TFormFixture f;
    auto& form = f.Create();
    for (const char* t : {"Y", "b", "c", "X"})
        f.Clipboard.CopyFromOtherProgram(t);
    form.APpendMode1->setChecked(true);
    form.CurrentRow = 3;
    f.Clipboard.CopyFromOtherProgram("Z");
    QCOMPARE(f.Clips(5), (Texts{"X", "c", "b", "Y\r\nZ", ""}));
    f.Clipboard.CopyFromOtherProgram("X"); // equal to row 0: nothing, whichever row is current
    QCOMPARE(f.Clips(5), (Texts{"X", "c", "b", "Y\r\nZ", ""}));
    QCOMPARE(form.CurrentRow, 3);
}

void TestCapture::appendModeWithoutCurrentRowRecordsAtTop() {
    TFormFixture f;
    auto& form = f.Create();
    form.APpendMode1->setChecked(true);
    form.CurrentRow = -1;
    f.Clipboard.CopyFromOtherProgram("kept");
    QCOMPARE(f.Clips(2), (Texts{"kept", ""}));
}

void TestCapture::copyWhileEditingKeepsTheEdit_data() {
    QTest::addColumn<int>("editRow");
    QTest::addColumn<bool>("append");
    QTest::addColumn<Texts>("whileEditing");
    QTest::addColumn<Texts>("committed");
    QTest::newRow("middle row") << 1 << false << Texts{"new", "a", "b"} << Texts{"new", "a", "b!"};
    QTest::newRow("last row never falls off")
        << 2 << false << Texts{"new", "a", "b", "c"} << Texts{"new", "a", "b", "c!"};
    QTest::newRow("append mode on the edited row records at the top")
        << 1 << true << Texts{"new", "a", "b"} << Texts{"new", "a", "b!"};
}

void TestCapture::copyWhileEditingKeepsTheEdit() {
    QFETCH(int, editRow);
    QFETCH(bool, append);
    QFETCH(Texts, whileEditing);
    QFETCH(Texts, committed);
    TFormFixture f;
    f.Settings.Rows = 3;
    f.Settings.GridEdit = true;
    auto& form = f.Create();
    for (const char* t : {"c", "b", "a"})
        f.Clipboard.CopyFromOtherProgram(t);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.APpendMode1->setChecked(append);
    form.CurrentRow = editRow;
    const QModelIndex cell = form.StringGrid1->Model().index(editRow, 1);
    form.StringGrid1->setCurrentIndex(cell);
    form.StringGrid1->edit(cell);
    auto* editor = form.StringGrid1->findChild<QPlainTextEdit*>();
    QVERIFY(editor);
    editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor, "!");

    f.Clipboard.CopyFromOtherProgram("new");
    const int rows = int(whileEditing.size());
    QCOMPARE(form.StringGrid1->RowCount(), rows);
    QCOMPARE(f.Clips(rows), whileEditing); // the half-typed text is not committed
    QCOMPARE(form.StringGrid1->EditingRow(), editRow + 1);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(form.StringGrid1->EditingRow(), -1);
    QCOMPARE(f.Clips(rows), committed); // nor lost
}

void TestCapture::ownWritesAreNotRecorded() {
    TFormFixture f;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("top");
    form.WriteClipboardOwn("pasted by the program");
    QCOMPARE(f.Clipboard.Current(), QByteArray("pasted by the program"));
    QCOMPARE(f.Clips(2), (Texts{"top", ""}));
    QVERIFY(!form.OwnWrite);
    f.Clipboard.FailWrites = true;
    QVERIFY_THROWS_EXCEPTION(EQuillery, form.WriteClipboardOwn("x"));
    QVERIFY(!form.OwnWrite); // a failed write must not leave capture switched off
    f.Clipboard.CopyFromOtherProgram("later");
    QCOMPARE(f.Clips(2), (Texts{"later", "top"}));
}

void TestCapture::failedReadIsReported() {
    TFormFixture f;
    f.Settings.Beep = true;
    auto& form = f.Create();
    f.Clipboard.FailReads = true;
    f.Clipboard.CopyFromOtherProgram("unreadable");
    QCOMPARE(f.Prompts.Shown.size(), 1);
    QCOMPARE(f.Prompts.Shown[0].Kind, "message");
    QCOMPARE(f.Prompts.Shown[0].Text, "Cannot open clipboard");
    QCOMPARE(f.Clips(1), Texts{""});
    QCOMPARE(f.Sound.Beeps, 1);
    QVERIFY(form.ListChanged);
}

void TestCapture::textPresentAtStartIsNotRecorded() {
    TFormFixture f;
    f.Clipboard.CopyFromOtherProgram("before start");
    f.Create();
    QCOMPARE(f.Clips(1), Texts{""});
    f.Clipboard.CopyFromOtherProgram("after start");
    QCOMPARE(f.Clips(2), (Texts{"after start", ""}));
}

void TestCapture::tooLargeIsSaidNotRecorded() {
    TFormFixture f;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("before");
    form.ListChanged = false;
    f.Clipboard.CopyTooLarge();
    QCOMPARE(form.pnlStatus->text(), "A copied text larger than 256 MB was not recorded.");
    QCOMPARE(form.ClipAt(0), "before");
    QVERIFY(!form.ListChanged);
    QVERIFY(f.Prompts.Shown.isEmpty());
}

QUILLERY_MAIN_FOR_EACH_CLIPBOARD(TestCapture)
#include "tst_Capture.moc"
