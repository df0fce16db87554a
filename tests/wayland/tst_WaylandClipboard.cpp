// The data-control clipboard under a real Wayland compositor (headless sway), with wl-copy and
// wl-paste as the other programs.
#include "core/Errors.h"
#include "platform/wayland/WaylandClipboard.h"
#include "wayland/helpers/DataControl.h"

#include <QProcess>
#include <QTemporaryFile>
#include <QtTest>

#include <ctime>
#include <memory>
#include <poll.h>
#include <unistd.h>
#include <vector>

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

// The most this process has held, in MB.
qint64 PeakMegabytes() {
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() >> 10;
    return -1;
}

// Processor time this process used, in ms.
qint64 CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// A misbehaving client of the tests' own, once it says it is ready.
std::unique_ptr<QProcess> Hostile(const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    process->start(QUILLERY_HELPER_DIR "/wl_hostile", arguments);
    for (QDeadlineTimer limit(60000); !process->canReadLine() && !limit.hasExpired();)
        QTest::qWait(5);
    return process;
}

// The desktop as it is ("wlr"), or behind the tests' relay, which offers the same data control
// under the standard protocol's name alone ("ext"): no compositor here offers that one.
const QByteArray RelaySocket = qgetenv("XDG_RUNTIME_DIR") + "/ext-relay";

std::unique_ptr<TWaylandClipboard> Board(const QByteArray& protocol) {
    const QByteArray desktop = qgetenv("WAYLAND_DISPLAY");
    if (protocol == "ext")
        qputenv("WAYLAND_DISPLAY", RelaySocket);
    auto board = std::make_unique<TWaylandClipboard>();
    qputenv("WAYLAND_DISPLAY", desktop); // the other programs copy on the desktop itself
    return board;
}

void Protocols() {
    QTest::addColumn<QByteArray>("protocol");
    QTest::newRow("wlr") << QByteArray("wlr");
    QTest::newRow("ext") << QByteArray("ext");
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
// Another program on a connection of its own, as the portal's keys come to the desktop: what
// the clipboard holds when it asks.
class TSelectionWatcher {
public:
    TSelectionWatcher() : Display(wl_display_connect(nullptr)) {
        static const zwlr_data_control_device_v1_listener listener{
            [](void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
                static const zwlr_data_control_offer_v1_listener types{
                    [](void*, zwlr_data_control_offer_v1*, const char*) {}};
                zwlr_data_control_offer_v1_add_listener(offer, &types, nullptr);
            },
            [](void* self, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
                auto& latest = static_cast<TSelectionWatcher*>(self)->Latest;
                if (latest)
                    zwlr_data_control_offer_v1_destroy(latest);
                latest = offer;
            },
            [](void*, zwlr_data_control_device_v1*) {},
            [](void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
                if (offer)
                    zwlr_data_control_offer_v1_destroy(offer);
            }};
        if (Display && BindDataControl(Display, Bound)) {
            Device = zwlr_data_control_manager_v1_get_data_device(Bound.Manager, Bound.Seat);
            zwlr_data_control_device_v1_add_listener(Device, &listener, this);
        }
    }
    ~TSelectionWatcher() {
        if (Latest)
            zwlr_data_control_offer_v1_destroy(Latest);
        if (Device)
            zwlr_data_control_device_v1_destroy(Device);
        if (Bound.Manager)
            zwlr_data_control_manager_v1_destroy(Bound.Manager);
        if (Bound.Seat)
            wl_seat_destroy(Bound.Seat);
        if (Bound.Registry)
            wl_registry_destroy(Bound.Registry);
        if (Display)
            wl_display_disconnect(Display);
    }
    // Read the way a pasting window reads it; its owner serves it from a thread of its own.
    QByteArray Current() {
        wl_display_roundtrip(Display);
        int fds[2];
        if (!Latest || pipe(fds) != 0)
            return {};
        zwlr_data_control_offer_v1_receive(Latest, "text/plain;charset=utf-8", fds[1]);
        close(fds[1]);
        wl_display_flush(Display);
        QByteArray text;
        pollfd ready{fds[0], POLLIN, 0};
        char block[4096];
        for (ssize_t n = 1; n > 0 && poll(&ready, 1, 2000) == 1;)
            if ((n = read(fds[0], block, sizeof block)) > 0)
                text.append(block, n);
        close(fds[0]);
        return text;
    }

private:
    wl_display* Display;
    TBoundDataControl Bound;
    zwlr_data_control_device_v1* Device = nullptr;
    zwlr_data_control_offer_v1* Latest = nullptr;
};
} // namespace

class TestWaylandClipboard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void clipboardAtStartIsNoCopy_data() { Protocols(); }
    void clipboardAtStartIsNoCopy();
    void copiesAreRecordedInOrderByteForByte_data() { Protocols(); }
    void copiesAreRecordedInOrderByteForByte();
    void ownWritesAreServedNotRecorded_data() { Protocols(); }
    void ownWritesAreServedNotRecorded();
    void aLargeCopyIsRecordedWhole();
    void passwordManagerHint_data();
    void passwordManagerHint();
    void hostileOwners_data();
    void hostileOwners();
    void aReaderThatNeverReadsHoldsUpNoOne();
    void theDesktopHoldsAClipOnceItIsWritten();

private:
    QProcess Relay;
};

void TestWaylandClipboard::initTestCase() {
    const QByteArray desktop = qgetenv("XDG_RUNTIME_DIR") + '/' + qgetenv("WAYLAND_DISPLAY");
    Relay.start(QUILLERY_HELPER_DIR "/ext_relay", {desktop, RelaySocket});
    QVERIFY(Relay.waitForReadyRead(5000));
    QCOMPARE(Relay.readLine(), QByteArray("ready\n"));
}

void TestWaylandClipboard::cleanupTestCase() {
    Relay.kill();
    Relay.waitForFinished();
}

void TestWaylandClipboard::clipboardAtStartIsNoCopy() {
    QFETCH(QByteArray, protocol);
    WlCopy("there before");
    const auto board = Board(protocol);
    QVERIFY(board->IsConnected());
    QCOMPARE(board->ExtDataControl(), protocol == "ext");
    TRecorder recorded(*board);
    QTRY_COMPARE_WITH_TIMEOUT(board->HasText(), true, 2000);
    QCOMPARE(board->ReadText(), QByteArray("there before"));
    QTest::qWait(200);
    QCOMPARE(recorded.Texts, QList<QByteArray>());
}

// Back-to-back copies, as fast as one program after another can make them.
void TestWaylandClipboard::copiesAreRecordedInOrderByteForByte() {
    QFETCH(QByteArray, protocol);
    const auto board = Board(protocol);
    TRecorder recorded(*board);
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
// back as a copy; Clear empties the clipboard. A clip of an old single-byte list goes over as
// the UTF-8 that every offered type promises.
void TestWaylandClipboard::ownWritesAreServedNotRecorded() {
    QFETCH(QByteArray, protocol);
    const auto board = Board(protocol);
    TRecorder recorded(*board);
    const QByteArray clip = "mine\r\n\xc3\xa9";
    board->WriteText("mine\r\n\xe9");
    QCOMPARE(WlPaste(), clip);
    QTest::qWait(300);
    QCOMPARE(WlPaste(), clip);
    board->Clear();
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

void TestWaylandClipboard::hostileOwners_data() {
    QTest::addColumn<QStringList>("hostile");
    QTest::addColumn<int>("instances");
    QTest::addColumn<QList<QByteArray>>("recorded"); // its own copies, then three of wl-copy
    QTest::addColumn<bool>("meanwhile"); // the three come while it runs, or once it is recorded
    const QByteArray none = "<no text>";
    QTest::newRow("an owner that drips holds back no later copy")
        << QStringList{"drip"} << 1 << QList<QByteArray>{none} << true;
    QTest::newRow("a hint that never ends counts as a secret")
        << QStringList{"endless-hint"} << 1 << QList<QByteArray>{none} << true;
    QTest::newRow("eight endless texts at once")
        << QStringList{"endless"} << 8 << QList<QByteArray>(8, none) << false;
    // Their texts and the recorder's order are beside the point: the connection broke.
    QTest::newRow("a flood of copies")
        << QStringList{"flood", "20000"} << 1 << QList<QByteArray>() << true;
}

// Whatever an owner does, the copies after it are recorded in order, within a few seconds,
// in bounded memory, and nothing spins once it is over.
void TestWaylandClipboard::hostileOwners() {
    QFETCH(QStringList, hostile);
    QFETCH(int, instances);
    QFETCH(QList<QByteArray>, recorded);
    QFETCH(bool, meanwhile);
    TWaylandClipboard board;
    TRecorder copies(board);
    QList<bool> connection;
    connect(&board, &IClipboard::ConnectionChanged, this, [&](bool up) { connection << up; });
    std::vector<std::unique_ptr<QProcess>> owners;
    for (int i = 0; i < instances; ++i)
        owners.push_back(Hostile(hostile));
    if (recorded.isEmpty()) { // the flood broke the connection: it is made again
        QTest::qWait(200);
        QTRY_VERIFY_WITH_TIMEOUT(connection.isEmpty() || connection == QList<bool>({false, true}),
                                 5000);
        copies.Texts.clear();
    } else if (!meanwhile) {
        QTRY_COMPARE_WITH_TIMEOUT(copies.Texts, recorded, 10000);
    }
    const QList<QByteArray> after{"after 1", "after 2", "after 3"};
    for (const QByteArray& copy : after)
        WlCopy(copy);
    // After a flood, what the desktop held when the connection was made again may come first.
    const QList<QByteArray> expected = recorded + after;
    const auto last = [&] { return copies.Texts.mid(copies.Texts.size() - expected.size()); };
    QTRY_VERIFY2_WITH_TIMEOUT(last() == expected, copies.Texts.join(", ").left(200).constData(),
                              10000);
    if (!recorded.isEmpty())
        QCOMPARE(copies.Texts.size(), expected.size());
    QVERIFY2(PeakMegabytes() < 900, qPrintable(QString::number(PeakMegabytes())));
    const qint64 before = CpuMs();
    QTest::qWait(1000);
    QVERIFY2(CpuMs() - before < 300, qPrintable(QString::number(CpuMs() - before)));
    for (auto& owner : owners)
        owner->kill(), owner->waitForFinished();
}

// Readers that ask for a clip and never read it are cut off, and meanwhile others are served.
void TestWaylandClipboard::aReaderThatNeverReadsHoldsUpNoOne() {
    TWaylandClipboard board;
    const QByteArray clip(1 << 20, 'c'); // more than a pipe holds
    board.WriteText(clip);
    QTRY_COMPARE_WITH_TIMEOUT(WlPaste(), clip, 2000);
    const std::unique_ptr<QProcess> deaf = Hostile({"deaf", "3"});
    QCOMPARE(deaf->readLine(), QByteArray("ready\n"));
    QVERIFY(WlPaste() == clip);
    QTRY_VERIFY_WITH_TIMEOUT(deaf->canReadLine(), OwnerAnswerTimeoutMs + 3000);
    QCOMPARE(deaf->readLine(), QByteArray("cut off\n"));
    deaf->kill();
    deaf->waitForFinished();
}

// A paste sent right after a write, by a way of its own, finds that clip, never the one
// before: writes in a row, each read by another program at once.
void TestWaylandClipboard::theDesktopHoldsAClipOnceItIsWritten() {
    TWaylandClipboard board;
    TSelectionWatcher other;
    for (int i = 0; i < 300; ++i) {
        const QByteArray clip = "clip " + QByteArray::number(i);
        board.WriteText(clip);
        QCOMPARE(other.Current(), clip);
    }
}

QTEST_GUILESS_MAIN(TestWaylandClipboard)
#include "tst_WaylandClipboard.moc"
