// The command channel's messages as they come off a socket: in pieces of any size, several in
// a row, or as garbage from a program that is not ours. The command line that makes them; the
// client and the server against hostile peers of the tests' own.
#include "remote/CommandChannel.h"
#include "remote/CommandClient.h"
#include "remote/CommandServer.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <thread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace CommandChannel;

class TestCommandChannel : public QObject {
    Q_OBJECT
private slots:
    void messagesSurviveAnySplit();
    void garbageFailsOrWaits();
    void commandLine_data();
    void commandLine();
    void invalidRequestsFail_data();
    void invalidRequestsFail();
    void foreignServersAreRefused_data();
    void foreignServersAreRefused();
    void unwrittenOutputFails_data();
    void unwrittenOutputFails();
    void unreadAnswersAreBounded();
};

namespace {
// What a second start prints and returns, run beside this thread's event loop (where a test's
// own server answers).
struct TSent {
    int Status = -1;
    QByteArray Err;
};
TSent Send(const TCommandLine& command, const QString& socket, std::FILE* out) {
    std::FILE* err = std::tmpfile();
    TSent sent;
    std::thread client([&] {
        sent.Status = SendAction(
            command, socket, [] { return false; }, stdin, out, err);
    });
    while (sent.Status < 0)
        QTest::qWait(5);
    client.join();
    std::rewind(err);
    char text[4096];
    sent.Err = QByteArray(text, qsizetype(std::fread(text, 1, sizeof text, err)));
    std::fclose(err);
    return sent;
}

// A server of another user's (nobody), at path, that says what it was sent.
const char* ForeignServer = R"(
import os, socket, sys
s = socket.socket(socket.AF_UNIX)
s.settimeout(20)  # never left behind by a test that failed
s.bind(sys.argv[1])
s.listen()
print("ready", flush=True)
c, _ = s.accept()
c.settimeout(20)
data = b""
while chunk := c.recv(65536):
    data += chunk
print("got", len(data), flush=True)
)";
} // namespace

void TestCommandChannel::messagesSurviveAnySplit() {
    QRandomGenerator random(25);
    const TAction actions[] = {TAction::SeriesPaste, TAction::Paste, TAction::Toggle, TAction::Copy,
                               TAction::Add,         TAction::Print, TAction::List};
    for (int round = 0; round < 2000; ++round) {
        QList<TRequest> sent;
        QByteArray wire;
        for (int i = random.bounded(1, 4); i > 0; --i) {
            QByteArray input(random.bounded(0, 300), Qt::Uninitialized);
            for (char& c : input)
                c = char(random.bounded(256)); // newlines and zero bytes among them
            const TAction action = actions[random.bounded(7)];
            if (action != TAction::Add)
                input.clear();
            sent.append({action, random.bounded(MaxNumber(action) + 1), input});
            wire += Encode(sent.last());
        }
        QByteArray buffer;
        QList<TRequest> got;
        bool failed = false;
        for (qsizetype at = 0; at < wire.size() && !failed;) {
            const qsizetype piece = random.bounded(1, 64);
            buffer += wire.mid(at, piece);
            at += piece;
            while (auto request = TakeRequest(buffer, failed))
                got.append(*request);
        }
        QVERIFY(!failed);
        QVERIFY(buffer.isEmpty());
        QCOMPARE(got.size(), sent.size());
        for (int i = 0; i < got.size(); ++i) {
            QCOMPARE(got[i].Action, sent[i].Action);
            QCOMPARE(got[i].Number, sent[i].Number);
            QCOMPARE(got[i].Input, sent[i].Input);
        }
        TAnswer answer{int(round % 2), sent.first().Input};
        QByteArray answerWire = Encode(answer);
        const auto back = TakeAnswer(answerWire, failed);
        QVERIFY(back && !failed);
        QCOMPARE(back->Payload, answer.Payload);
        QCOMPARE(back->Status, answer.Status);
    }
}

// Never a request made up: a message that is not ours fails, or waits for more.
void TestCommandChannel::garbageFailsOrWaits() {
    QRandomGenerator random(26);
    const QByteArray pieces[] = {"quillery ", "paste ", "help ", "-1 ", "99999999999999 ",
                                 "3 ",        "\n",     " ",     "x",   "0"};
    for (int round = 0; round < 5000; ++round) {
        QByteArray buffer;
        for (int i = random.bounded(1, 8); i > 0; --i)
            buffer += pieces[random.bounded(10)];
        const QByteArray original = buffer;
        bool failed = false;
        const auto request = TakeRequest(buffer, failed);
        if (!request)
            continue;
        QVERIFY2(!failed, original.constData());
        // Whatever passed is a request that encodes to what was read.
        QVERIFY2(original.startsWith(Encode(*request)), original.constData());
        QVERIFY(request->Action != TAction::Help && request->Action != TAction::None);
    }
    QByteArray huge = "quillery add 0 " + QByteArray::number(MaxPayload() + 1) + "\n";
    bool failed = false;
    QVERIFY(!TakeRequest(huge, failed));
    QVERIFY(failed);
}

void TestCommandChannel::commandLine_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("error");
    QTest::newRow("nothing") << QStringList{} << int(TAction::None) << 0 << "" << false;
    QTest::newRow("a file") << QStringList{"a.clp"} << int(TAction::None) << 0 << "a.clp" << false;
    QTest::newRow("a file named like an option, after --")
        << QStringList{"--", "--paste"} << int(TAction::None) << 0 << "--paste" << false;
    QTest::newRow("a file with a single dash")
        << QStringList{"-x.clp"} << int(TAction::None) << 0 << "-x.clp" << false;
    QTest::newRow("paste 9") << QStringList{"--paste", "9"} << int(TAction::Paste) << 9 << ""
                             << false;
    QTest::newRow("print joined") << QStringList{"--print=123"} << int(TAction::Print) << 123 << ""
                                  << false;
    QTest::newRow("-h") << QStringList{"-h"} << int(TAction::Help) << 0 << "" << false;
    QTest::newRow("a number in another script")
        << QStringList{"--copy", "\u0663"} << int(TAction::Copy) << -1 << "" << true;
    QTest::newRow("a value for --add")
        << QStringList{"--add=x"} << int(TAction::Add) << 0 << "" << true;
    QTest::newRow("ten digits") << QStringList{"--print", "1234567890"} << int(TAction::Print) << -1
                                << "" << true;
}

void TestCommandChannel::commandLine() {
    QFETCH(QStringList, args);
    QFETCH(int, action);
    QFETCH(int, number);
    QFETCH(QString, file);
    QFETCH(bool, error);
    const TCommandLine parsed = ParseCommandLine(QStringList{"quillery"} + args);
    QCOMPARE(int(parsed.Action), action);
    QCOMPARE(parsed.File, file);
    QCOMPARE(!parsed.Error.isEmpty(), error);
    if (!error)
        QCOMPARE(parsed.Number, number);
}

void TestCommandChannel::invalidRequestsFail_data() {
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("paste 10") << QByteArray("quillery paste 10 0\n");
    QTest::newRow("paste past the largest int") << QByteArray("quillery paste 2147483647 0\n");
    QTest::newRow("print, ten digits") << QByteArray("quillery print 1234567890 0\n");
    QTest::newRow("toggle with a number") << QByteArray("quillery toggle 5 0\n");
    QTest::newRow("series paste with input") << QByteArray("quillery series-paste 0 1\nx");
    QTest::newRow("add with a number") << QByteArray("quillery add 3 1\nx");
}

void TestCommandChannel::invalidRequestsFail() {
    QFETCH(QByteArray, wire);
    bool failed = false;
    QVERIFY(!TakeRequest(wire, failed));
    QVERIFY(failed);
}

// Nothing is sent to a server another user could have put in the user's way.
void TestCommandChannel::foreignServersAreRefused_data() {
    QTest::addColumn<bool>("foreignFolder");
    QTest::addColumn<QByteArray>("reason");
    QTest::newRow("a folder another user made, open to all") << true << QByteArray("another user");
    QTest::newRow("the user's own folder, another user's server")
        << false << QByteArray("served by another user");
}

void TestCommandChannel::foreignServersAreRefused() {
    QFETCH(bool, foreignFolder);
    QFETCH(QByteArray, reason);
    if (::geteuid() != 0)
        QSKIP("needs root, to be another user");
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                              QFile::ReadOther | QFile::ExeOther);
    const QString socket = SocketPath(runtime.path());
    const QString folder = QFileInfo(socket).path();
    // Where nobody may make its socket: the folder itself, or one beside it.
    const QString made = foreignFolder ? folder : runtime.filePath("open");
    QVERIFY(QDir().mkdir(made));
    QVERIFY(QProcess::execute("chown", {"nobody", made}) == 0);
    QVERIFY(QProcess::execute("chmod", {"0777", made}) == 0);
    QProcess server;
    server.start("runuser",
                 {"-u", "nobody", "--", "python3", "-c", ForeignServer, made + "/socket"});
    QTRY_VERIFY_WITH_TIMEOUT(server.canReadLine(), 10000);
    QCOMPARE(server.readLine(), QByteArray("ready\n"));
    if (!foreignFolder) { // moved into the user's own private folder
        QVERIFY(QDir().mkdir(folder));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(QFile::rename(made + "/socket", socket));
    }
    TCommandLine add;
    add.Action = TAction::Add;
    const TSent sent = Send(add, socket, stdout);
    QCOMPARE(sent.Status, 1);
    QVERIFY2(sent.Err.contains(reason), sent.Err.constData());
    QVERIFY(server.waitForFinished(5000));
    QCOMPARE(server.readAll(), QByteArray("got 0\n"));
}

void TestCommandChannel::unwrittenOutputFails_data() {
    QTest::addColumn<bool>("full"); // else a pipe whose reader has gone
    QTest::newRow("a full disk") << true;
    QTest::newRow("a pipe with no reader") << false;
}

void TestCommandChannel::unwrittenOutputFails() {
    QFETCH(bool, full);
    QTemporaryDir runtime;
    TCommandServer server([](const TRequest&) { return TAnswer{0, "the clip"}; });
    QString reason;
    QVERIFY2(server.Listen(SocketPath(runtime.path()), &reason), qPrintable(reason));
    int ends[2];
    QCOMPARE(::pipe(ends), 0);
    ::close(ends[0]);
    std::FILE* out = full ? std::fopen("/dev/full", "w") : ::fdopen(ends[1], "w");
    TCommandLine print;
    print.Action = TAction::Print;
    const TSent sent = Send(print, SocketPath(runtime.path()), out);
    std::fclose(out);
    if (full)
        ::close(ends[1]);
    QCOMPARE(sent.Status, 1);
    QVERIFY2(sent.Err.contains("cannot write the output"), sent.Err.constData());
}

// Clients that ask for a large clip and never read hold no more than one clip's worth.
void TestCommandChannel::unreadAnswersAreBounded() {
    QTemporaryDir runtime;
    const QByteArray clip(50 << 20, 'c');
    TCommandServer server([&](const TRequest&) { return TAnswer{0, clip}; });
    QString reason;
    const QString path = SocketPath(runtime.path());
    QVERIFY2(server.Listen(path, &reason), qPrintable(reason));
    const auto resident = [] {
        QFile status("/proc/self/status");
        status.open(QIODevice::ReadOnly);
        const QByteArray text = status.readAll();
        const qsizetype at = text.indexOf("VmRSS:");
        return text.mid(at + 6, text.indexOf('\n', at) - at - 6)
                   .trimmed()
                   .split(' ')[0]
                   .toLongLong() >>
               10;
    };
    const qint64 before = resident();
    std::vector<int> deaf;
    for (int i = 0; i < 20; ++i) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, QFile::encodeName(path).constData(),
                     sizeof address.sun_path - 1);
        QCOMPARE(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        const QByteArray request = Encode(TRequest{TAction::Print, 0, {}});
        QCOMPARE(::write(fd, request.constData(), size_t(request.size())), request.size());
        deaf.push_back(fd);
    }
    // Answered after them all, in order: with no room left, it is told to try again.
    TCommandLine print;
    print.Action = TAction::Print;
    std::FILE* out = std::tmpfile();
    const TSent sent = Send(print, path, out);
    std::fclose(out);
    const qint64 held = resident() - before;
    for (int fd : deaf)
        ::close(fd);
    QCOMPARE(sent.Status, 1);
    QVERIFY2(sent.Err.contains("try again"), sent.Err.constData());
    // 20 unbounded answers hold 1 GB; the sanitizer build keeps freed memory a while too.
    QVERIFY2(held < 600, qPrintable(QString::number(held)));
}

QTEST_GUILESS_MAIN(TestCommandChannel)
#include "tst_CommandChannel.moc"
