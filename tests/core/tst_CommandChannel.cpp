// The command channel's messages as they come off a socket: in pieces of any size, several in
// a row, or as garbage from a program that is not ours. And the command line that makes them.
#include "remote/CommandChannel.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace CommandChannel;

class TestCommandChannel : public QObject {
    Q_OBJECT
private slots:
    void messagesSurviveAnySplit();
    void garbageFailsOrWaits();
    void commandLine_data();
    void commandLine();
};

void TestCommandChannel::messagesSurviveAnySplit() {
    QRandomGenerator random(25);
    const TAction actions[] = {TAction::SeriesPaste, TAction::Paste, TAction::Toggle,
                               TAction::Copy,        TAction::Add,   TAction::Print};
    for (int round = 0; round < 2000; ++round) {
        QList<TRequest> sent;
        QByteArray wire;
        for (int i = random.bounded(1, 4); i > 0; --i) {
            QByteArray input(random.bounded(0, 300), Qt::Uninitialized);
            for (char& c : input)
                c = char(random.bounded(256)); // newlines and zero bytes among them
            sent.append({actions[random.bounded(6)], random.bounded(100000), input});
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

QTEST_GUILESS_MAIN(TestCommandChannel)
#include "tst_CommandChannel.moc"
