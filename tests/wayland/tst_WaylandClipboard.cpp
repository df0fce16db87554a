// The data-control clipboard under a real Wayland compositor (headless sway), with wl-copy and
// wl-paste as the other programs.
#include "core/Errors.h"
#include "platform/wayland/WaylandClipboard.h"

#include <QProcess>
#include <QTemporaryFile>
#include <QtTest>

namespace {
// Waits for another program with the event loop turning, as the program's own loop turns while
// others copy and paste: it reads their copies, and serves its own clip.
void WaitFor(QProcess& process) {
    for (QDeadlineTimer limit(10000);
         process.state() != QProcess::NotRunning && !limit.hasExpired();)
        QTest::qWait(1);
}

void WlCopy(const QByteArray& text) {
    QProcess copy;
    copy.start("wl-copy");
    copy.write(text);
    copy.closeWriteChannel();
    WaitFor(copy); // it goes on serving the text from a process of its own
}

QByteArray WlPaste(int* exitCode = nullptr) {
    QProcess paste;
    paste.start("wl-paste", {"--no-newline"});
    WaitFor(paste);
    if (exitCode)
        *exitCode = paste.exitCode();
    return paste.readAllStandardOutput();
}

// Every announced copy's text, in order.
struct TRecorder {
    explicit TRecorder(TWaylandClipboard& board) {
        QObject::connect(&board, &IClipboard::Changed, &board, [this, &board] {
            Texts << (board.HasText() ? board.ReadText() : QByteArray("<no text>"));
        });
    }
    QList<QByteArray> Texts;
};
} // namespace

class TestWaylandClipboard : public QObject {
    Q_OBJECT
private slots:
    void clipboardAtStartIsNoCopy();
    void copiesAreRecordedInOrderByteForByte();
    void ownWritesAreServedNotRecorded();
    void aLargeCopyIsRecordedWhole();
    void passwordManagerHint_data();
    void passwordManagerHint();
};

void TestWaylandClipboard::clipboardAtStartIsNoCopy() {
    WlCopy("there before");
    TWaylandClipboard board;
    QVERIFY(board.IsConnected());
    TRecorder recorded(board);
    QTRY_COMPARE_WITH_TIMEOUT(board.HasText(), true, 2000);
    QCOMPARE(board.ReadText(), QByteArray("there before"));
    QTest::qWait(200);
    QCOMPARE(recorded.Texts, QList<QByteArray>());
}

// Back-to-back copies, as fast as one program after another can make them.
void TestWaylandClipboard::copiesAreRecordedInOrderByteForByte() {
    TWaylandClipboard board;
    TRecorder recorded(board);
    QList<QByteArray> copies;
    for (int i = 0; i < 30; ++i)
        copies << "copy " + QByteArray::number(i);
    copies << "two\r\nlines\r\n"
           << "caf\xc3\xa9"
           << "caf\xe9 not UTF-8" << QByteArray("nul\0byte", 8);
    for (const QByteArray& copy : copies)
        WlCopy(copy);
    QTRY_COMPARE_WITH_TIMEOUT(recorded.Texts.size(), copies.size(), 5000);
    QCOMPARE(recorded.Texts, copies);
}

// A clip set by the program is served to other programs, also after a while, and never comes
// back as a copy; Clear empties the clipboard.
void TestWaylandClipboard::ownWritesAreServedNotRecorded() {
    TWaylandClipboard board;
    TRecorder recorded(board);
    const QByteArray clip = "mine\r\n\xe9";
    board.WriteText(clip);
    QCOMPARE(WlPaste(), clip);
    QTest::qWait(300);
    QCOMPARE(WlPaste(), clip);
    board.Clear();
    int status = 0;
    QTRY_VERIFY_WITH_TIMEOUT((WlPaste(&status), status != 0), 2000);
    WlCopy("theirs");
    QTRY_COMPARE_WITH_TIMEOUT(recorded.Texts, QList<QByteArray>{"theirs"}, 2000);
}

void TestWaylandClipboard::aLargeCopyIsRecordedWhole() {
    TWaylandClipboard board;
    TRecorder recorded(board);
    QByteArray large(50 << 20, 'x');
    for (qsizetype i = 0; i < large.size(); i += 4099)
        large[i] = char('a' + i % 26);
    WlCopy(large);
    QTRY_COMPARE_WITH_TIMEOUT(recorded.Texts.size(), 1, 10000);
    QVERIFY(recorded.Texts[0] == large);
}

void TestWaylandClipboard::passwordManagerHint_data() {
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QByteArray>("recorded");
    QTest::newRow("secret: never read") << "secret" << QByteArray("<no text>");
    QTest::newRow("secret, with a line end") << "secret\n" << QByteArray("<no text>");
    QTest::newRow("another hint: a copy like any") << "public" << QByteArray("p4ssw0rd");
}

void TestWaylandClipboard::passwordManagerHint() {
    QFETCH(QString, hint);
    QFETCH(QByteArray, recorded);
    TWaylandClipboard board;
    TRecorder copies(board);
    QProcess manager;
    manager.start(QUILLERY_HELPER_DIR "/wl_copier",
                  {"--type", "x-kde-passwordManagerHint=" + hint, "p4ssw0rd"});
    QTRY_COMPARE_WITH_TIMEOUT(copies.Texts, QList<QByteArray>{recorded}, 3000);
    WlCopy("next"); // the manager's copy is replaced: it ends
    QTRY_COMPARE_WITH_TIMEOUT(manager.state(), QProcess::NotRunning, 5000);
}

QTEST_GUILESS_MAIN(TestWaylandClipboard)
#include "tst_WaylandClipboard.moc"
