// Capture against the real X clipboard, with xclip copying from a separate process.
#include "Desktop.h"
#include "core/config/Config.h"
#include "gui/grid/KXStringGrid.h"
#include "gui/main/fMain.h"
#include "platform/fake/FakeHotKeys.h"
#include "platform/fake/FakePasteTarget.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeSound.h"
#include "platform/fake/ScriptedPrompts.h"
#include "platform/x11/X11Clipboard.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

using Texts = QList<QByteArray>;

using Desktop::XclipCopy;

namespace {

QByteArray XclipPaste(const QString& target = "UTF8_STRING") {
    QProcess xclip;
    // The program itself owns the selection here, so keep its event loop running.
    QSignalSpy finished(&xclip, &QProcess::finished);
    xclip.start("xclip", {"-selection", "clipboard", "-t", target, "-o"});
    finished.wait(5000);
    return xclip.readAllStandardOutput();
}

} // namespace

class TestX11Capture : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void copiesFromAnotherProgram();
    void sameTextTwiceGivesOneClip();
    void textPresentAtStartIsNotRecorded();
    void ownWriteIsNotRecordedButOthersSeeIt();
    void copyInsideTheProgramIsRecorded();
    void writtenClipPastesInEveryForm_data();
    void writtenClipPastesInEveryForm();
    void notRecorded_data();
    void notRecorded();
    void latin1OnlyOwner();
    void largeClipArrivesWhole();
    void tooLargeClipIsSaid();
    void hostileOwners_data();
    void hostileOwners();
    void ownerThatNeverAnswers_data();
    void ownerThatNeverAnswers();

private:
    void CreateForm();
    // Starts the helper that owns the clipboard and waits until the program has seen it.
    void OwnerCopyAndWait(const QStringList& args);
    // Copies with xclip and waits until the program has seen the change.
    void CopyAndWait(const QByteArray& text);
    Texts Clips(int n) const;

    std::unique_ptr<TTestDir> Dir;
    std::unique_ptr<TConfig> Settings;
    std::unique_ptr<TX11Clipboard> Clipboard;
    TFakeSound Sound;
    TScriptedPrompts Prompts;
    TFakeHotKeys HotKeys;
    TFakeShell Shell;
    TFakePasteTarget PasteTarget;
    std::unique_ptr<TQuilleryMainForm> Form;
    QProcess Owner;
};

void TestX11Capture::init() {
    Prompts.Shown.clear();
    Dir = std::make_unique<TTestDir>();
    Settings = std::make_unique<TConfig>(Dir->Path());
    Config = Settings.get();
    Clipboard = std::make_unique<TX11Clipboard>();
}

void TestX11Capture::cleanup() {
    Owner.kill();
    Owner.waitForFinished();
    Form.reset();
    Clipboard.reset();
    Config = nullptr;
    Settings.reset();
    Dir.reset();
}

void TestX11Capture::CreateForm() {
    Form = std::make_unique<TQuilleryMainForm>(
        Dir->Path(), TPlatform{*Clipboard, Sound, Prompts, HotKeys, PasteTarget, Shell});
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
}

void TestX11Capture::CopyAndWait(const QByteArray& text) {
    QSignalSpy changed(Clipboard.get(), &IClipboard::Changed);
    XclipCopy(text);
    QVERIFY(changed.wait(5000) || !changed.isEmpty());
}

void TestX11Capture::OwnerCopyAndWait(const QStringList& args) {
    QSignalSpy changed(Clipboard.get(), &IClipboard::Changed);
    Owner.start(QUILLERY_HELPER_DIR "/clip_owner", args);
    QVERIFY(Owner.waitForStarted());
    QVERIFY(changed.wait(5000) || !changed.isEmpty());
}

Texts TestX11Capture::Clips(int n) const {
    Texts out;
    for (int r = 0; r < n; ++r)
        out.append(Form->ClipAt(r));
    return out;
}

void TestX11Capture::copiesFromAnotherProgram() {
    CreateForm();
    CopyAndWait("A");
    CopyAndWait(QString::fromUtf8("B – ünïcode\nsecond line").toUtf8());
    CopyAndWait("A");
    QCOMPARE(Clips(4),
             (Texts{"A", QString::fromUtf8("B – ünïcode\nsecond line").toUtf8(), "A", ""}));
    QCOMPARE(Form->TrayHint(), "Quillery - 1 bytes");
    QVERIFY(Form->ListChanged);
    QVERIFY(Prompts.Shown.isEmpty());
}

void TestX11Capture::sameTextTwiceGivesOneClip() {
    CreateForm();
    CopyAndWait("twice");
    CopyAndWait("twice");
    QCOMPARE(Clips(2), (Texts{"twice", ""}));
}

void TestX11Capture::textPresentAtStartIsNotRecorded() {
    XclipCopy("was there before");
    QTest::qWait(100);
    CreateForm();
    QTest::qWait(300);
    QCOMPARE(Clips(1), Texts{""});
    CopyAndWait("after start");
    QCOMPARE(Clips(2), (Texts{"after start", ""}));
}

void TestX11Capture::ownWriteIsNotRecordedButOthersSeeIt() {
    CreateForm();
    CopyAndWait("from xclip");
    Form->WriteClipboardOwn("written by Quillery");
    QTest::qWait(300); // let any late notice of the ownership change arrive
    QCOMPARE(Clips(2), (Texts{"from xclip", ""}));
    QCOMPARE(XclipPaste(), QByteArray("written by Quillery"));
    QTest::qWait(300);
    QCOMPARE(Clips(2), (Texts{"from xclip", ""}));
    CopyAndWait("next copy");
    QCOMPARE(Clips(3), (Texts{"next copy", "from xclip", ""}));
}

void TestX11Capture::writtenClipPastesInEveryForm_data() {
    QTest::addColumn<QByteArray>("clip");
    QTest::addColumn<QByteArray>("utf8");   // what a program asking for UTF-8 gets
    QTest::addColumn<QByteArray>("latin1"); // and one asking for STRING
    const QByteArray line = "a line with \xC3\xBC\r\n";
    QTest::newRow("ascii") << QByteArray("plain") << QByteArray("plain") << QByteArray("plain");
    QTest::newRow("utf-8") << QByteArray("B \xE2\x80\x93 \xC3\xBC")
                           << QByteArray("B \xE2\x80\x93 \xC3\xBC") << QByteArray("B ? \xFC");
    QTest::newRow("old code page")
        << QByteArray("caf\xE9 \x80") << QByteArray("caf\xC3\xA9 \xE2\x82\xAC")
        << QByteArray("caf\xE9 ?");
    QTest::newRow("5 MB") << line.repeated(250000) << line.repeated(250000)
                          << QByteArray("a line with \xFC\r\n").repeated(250000);
}

void TestX11Capture::writtenClipPastesInEveryForm() {
    QFETCH(QByteArray, clip);
    QFETCH(QByteArray, utf8);
    QFETCH(QByteArray, latin1);
    Clipboard->WriteText(clip);
    QCOMPARE(XclipPaste(), utf8);
    QCOMPARE(XclipPaste("STRING"), latin1);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromUtf8(utf8));
}

void TestX11Capture::copyInsideTheProgramIsRecorded() {
    Settings->GridEdit = true;
    CreateForm();
    CopyAndWait("from xclip");
    Form->WriteClipboardOwn("pasted by a hot key"); // the program's own write, as a paste makes
    QTest::qWait(200);
    const QModelIndex cell = Form->StringGrid1->Model().index(0, 1);
    Form->StringGrid1->setCurrentIndex(cell);
    Form->StringGrid1->edit(cell);
    auto* editor = Form->StringGrid1->findChild<QPlainTextEdit*>();
    QVERIFY(editor);
    editor->moveCursor(QTextCursor::End);
    editor->moveCursor(QTextCursor::StartOfWord, QTextCursor::KeepAnchor);
    QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
    QTRY_COMPARE(Clips(3), (Texts{"xclip", "from xclip", ""}));
    QCOMPARE(XclipPaste(), QByteArray("xclip"));
    QTest::qWait(300); // the owner-change notice of that copy does not record it twice
    QCOMPARE(Clips(3), (Texts{"xclip", "from xclip", ""}));
}

void TestX11Capture::notRecorded_data() {
    QTest::addColumn<QStringList>("owner");
    QTest::newRow("password marked secret") << QStringList{"secret", "hunter2"};
    QTest::newRow("picture without text") << QStringList{"image"};
}

void TestX11Capture::notRecorded() {
    QFETCH(QStringList, owner);
    CreateForm();
    OwnerCopyAndWait(owner);
    QCOMPARE(Clips(1), Texts{""});
    QCOMPARE(Form->TrayHint(), "Quillery");
    QVERIFY(Prompts.Shown.isEmpty());
    CopyAndWait("recorded again");
    QCOMPARE(Clips(2), (Texts{"recorded again", ""}));
}

void TestX11Capture::latin1OnlyOwner() {
    CreateForm();
    QSignalSpy changed(Clipboard.get(), &IClipboard::Changed);
    XclipCopy("caf\xe9", {"-t", "STRING"});
    QVERIFY(changed.wait(5000) || !changed.isEmpty());
    QCOMPARE(Clips(1), Texts{QString::fromUtf8("café").toUtf8()});
}

void TestX11Capture::largeClipArrivesWhole() {
    CreateForm();
    // Far above what fits one X request, so the owner sends it in pieces.
    QByteArray big;
    for (int i = 0; big.size() < 3'000'000; ++i)
        big += "line " + QByteArray::number(i) + " of a large clip\n";
    CopyAndWait(big);
    QCOMPARE(Form->ClipAt(0).size(), big.size());
    QVERIFY(Form->ClipAt(0) == big);
    QCOMPARE(Form->TrayHint(), QString("Quillery - %1 bytes").arg(big.size()));
}

// Past the limit: said on the status line, not recorded; the next copy is recorded as usual.
void TestX11Capture::tooLargeClipIsSaid() {
    CreateForm();
    CopyAndWait("small");
    CopyAndWait(QByteArray(MaxClipBytes + 1024, 'x'));
    QTRY_COMPARE_WITH_TIMEOUT(Form->pnlStatus->text(),
                              "A copied text larger than 256 MB was not recorded.", 20000);
    QCOMPARE(Clips(2), (Texts{"small", ""}));
    CopyAndWait("after");
    QTRY_COMPARE_WITH_TIMEOUT(Form->ClipAt(0), "after", 5000);
    QVERIFY(Prompts.Shown.isEmpty());
}

void TestX11Capture::ownerThatNeverAnswers_data() {
    QTest::addColumn<bool>("dies");
    QTest::newRow("hung: the read fails and is reported") << false;
    QTest::newRow("gone before answering: nothing to report") << true;
}

void TestX11Capture::ownerThatNeverAnswers() {
    QFETCH(bool, dies);
    CreateForm();
    QSignalSpy changed(Clipboard.get(), &IClipboard::Changed);
    QProcess silent;
    silent.start(QUILLERY_HELPER_DIR "/silent_owner", {});
    QVERIFY(silent.waitForReadyRead(5000));
    if (dies) {
        silent.kill();
        silent.waitForFinished();
    }
    QVERIFY(changed.wait(6000) || !changed.isEmpty());
    QTest::qWait(200);
    QCOMPARE(Clips(1), Texts{""});
    if (dies) {
        QVERIFY(Prompts.Shown.isEmpty());
    } else {
        QCOMPARE(Prompts.Shown.size(), 1);
        QCOMPARE(Prompts.Shown[0].Text, "Cannot open clipboard");
    }
    if (!dies) {
        QSignalSpy released(Clipboard.get(), &IClipboard::Changed);
        silent.kill();
        silent.waitForFinished();
        QVERIFY(released.wait(3000)); // the clipboard, owned by nobody now
    }
    CopyAndWait("after the hung owner");
    QCOMPARE(Form->ClipAt(0), QByteArray("after the hung owner"));
}

void TestX11Capture::hostileOwners_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("status"); // the status line after it
    QTest::newRow("garbage") << "garbage"
                             << "";
    QTest::newRow("endless pieces") << "endless"
                                    << "A copied text larger than 256 MB was not recorded.";
    QTest::newRow("dies mid-transfer") << "dies"
                                       << "";
    QTest::newRow("a secret's hint never answered: not recorded") << "late-hint"
                                                                  << "";
}

// Whatever the owner does, capture comes back within its time-out, the window keeps
// answering, and the next copy is recorded.
void TestX11Capture::hostileOwners() {
    QFETCH(QString, mode);
    QFETCH(QString, status);
    CreateForm();
    QSignalSpy changed(Clipboard.get(), &IClipboard::Changed);
    QProcess owner;
    owner.start(QUILLERY_HELPER_DIR "/hostile_owner", {mode});
    QVERIFY(owner.waitForReadyRead(5000));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(changed.wait(30000) || !changed.isEmpty());
    QVERIFY2(clock.elapsed() < 25000, qPrintable(QString::number(clock.elapsed())));
    // The window answers at once meanwhile and after.
    QElapsedTimer turn;
    turn.start();
    QCoreApplication::processEvents();
    QVERIFY(turn.elapsed() < 200);
    QCOMPARE(Form->pnlStatus->text(), status);
    // Garbage for its list of forms names no text form: nothing to record either.
    QCOMPARE(Form->ClipAt(0), QByteArray());
    QVERIFY(Prompts.Shown.isEmpty());
    CopyAndWait("after the hostile owner");
    QTRY_COMPARE_WITH_TIMEOUT(Form->ClipAt(0), QByteArray("after the hostile owner"), 5000);
    owner.kill();
    owner.waitForFinished();
}

QTEST_MAIN(TestX11Capture)
#include "tst_X11Capture.moc"
