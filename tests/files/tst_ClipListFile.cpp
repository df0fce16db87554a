#include "fakes/TestDir.h"
#include "files/ClipListFile.h"
#include "main/Errors.h"

#include <QRandomGenerator>
#include <QtTest>

using Texts = QList<QByteArray>;

namespace {
Texts Empty(int n) {
    return Texts(n);
}
Texts ReadBack(const QByteArray& bytes, int rows, Texts start = {}, bool append = false) {
    Texts texts = start.isEmpty() ? Empty(rows) : start;
    ClipListFile::Decode(bytes, texts, append, rows);
    return texts;
}
} // namespace

class TestClipListFile : public QObject {
    Q_OBJECT
private slots:
    void encodeMatchesGolden();
    void roundTrip_data();
    void roundTrip();
    void readingRules_data();
    void readingRules();
    void appendMode_data();
    void appendMode();
    void legacyBytesLoadUnchanged();
    void linesAcrossReadBlocks();
    void garbageNeverCrashes();
    void missingOrUnreadableFileLeavesListAlone();
    void failedSaveKeepsOldFile();
    void permissions();
    void saveThroughLinkKeepsLink();
};

void TestClipListFile::encodeMatchesGolden() {
    const Texts texts{"alpha", "two\r\nlines", "", " \t\r\n", "beyond rows"};
    QCOMPARE(ClipListFile::Encode(texts, 4), TTestDir::Golden("clips/example.clp"));
    TTestDir dir;
    ClipListFile::Save(dir.File("out.clp"), texts, 4);
    QCOMPARE(TTestDir::Read(dir.File("out.clp")), TTestDir::Golden("clips/example.clp"));
}

void TestClipListFile::roundTrip_data() {
    QTest::addColumn<Texts>("saved");
    QTest::addColumn<Texts>("loaded");
    QTest::newRow("single lines") << Texts{"one", "two", "three"} << Texts{"one", "two", "three"};
    QTest::newRow("CR LF inside and at the end")
        << Texts{"a\r\nb", "ends\r\n", "x"} << Texts{"a\r\nb", "ends\r\n", "x"};
    QTest::newRow("lone LF stays") << Texts{"unix\nlines\n"} << Texts{"unix\nlines\n", "", ""};
    QTest::newRow("gaps close up") << Texts{"a", "", "c"} << Texts{"a", "c", ""};
    QTest::newRow("blank clips are not written") << Texts{" \t", "x", "\r\n"} << Texts{"x", "", ""};
    QTest::newRow("leading empty lines are lost") << Texts{"\r\nabc"} << Texts{"abc", "", ""};
    QTest::newRow("lone CR becomes CR LF") << Texts{"a\rb"} << Texts{"a\r\nb", "", ""};
    QTest::newRow("a form-feed line splits a clip")
        << Texts{"a\r\n\x0c\r\nb"} << Texts{"a", "b", ""};
    QTest::newRow("0x1A ends the file")
        << Texts{"keep", "cut\x1ahere", "lost"} << Texts{"keep", "", ""};
    QTest::newRow("form feed with other bytes is text") << Texts{"\x0c"
                                                                 "A",
                                                                 "x"}
                                                        << Texts{"\x0c"
                                                                 "A",
                                                                 "x", ""};
}

void TestClipListFile::roundTrip() {
    QFETCH(Texts, saved);
    QFETCH(Texts, loaded);
    const int rows = int(loaded.size());
    while (saved.size() < rows)
        saved.append(QByteArray());
    QCOMPARE(ReadBack(ClipListFile::Encode(saved, rows), rows), loaded);
}

void TestClipListFile::readingRules_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Texts>("loaded");
    QTest::newRow("two separators leave an empty row")
        << QByteArray("a\r\n\x0c\r\n\x0c\r\nb\r\n\x0c\r\n") << Texts{"a", "", "b"};
    QTest::newRow("starting with a separator leaves row 0 empty")
        << QByteArray("\x0c\r\nb\r\n\x0c\r\n") << Texts{"", "b", ""};
    QTest::newRow("last line without separator is dropped")
        << QByteArray("a\r\n\x0c\r\nb1\r\nb2\r\n") << Texts{"a", "b1", ""};
    QTest::newRow("empty file") << QByteArray() << Texts{"", "", ""};
    QTest::newRow("more records than rows")
        << QByteArray("1\r\n\x0c\r\n2\r\n\x0c\r\n3\r\n\x0c\r\n4\r\n\x0c\r\n")
        << Texts{"1", "2", "3"};
    QTest::newRow("LF only line ends are one long line")
        << QByteArray("a\nb\n\x0c\nc") << Texts{"", "", ""};
    QTest::newRow("0x1A at the start") << QByteArray("\x1a"
                                                     "a\r\n\x0c\r\n")
                                       << Texts{"", "", ""};
    QTest::newRow("separator at end without line break")
        << QByteArray("a\r\n\x0c") << Texts{"a", "", ""};
    QTest::newRow("no line ends at all") << QByteArray(5000, 'z') << Texts{"", "", ""};
}

void TestClipListFile::readingRules() {
    QFETCH(QByteArray, file);
    QFETCH(Texts, loaded);
    Texts texts{"old", "old", "old"};
    ClipListFile::Decode(file, texts, false, 3);
    QCOMPARE(texts, loaded);
}

void TestClipListFile::appendMode_data() {
    QTest::addColumn<Texts>("before");
    QTest::addColumn<int>("rows");
    QTest::addColumn<Texts>("after");
    const QByteArray two = "n1\r\n\x0c\r\nn2\r\n\x0c\r\n";
    Q_UNUSED(two);
    QTest::newRow("below the last non-empty row")
        << Texts{"a", "", "b", "", "", ""} << 6 << Texts{"a", "", "b", "n1", "n2", ""};
    QTest::newRow("all empty fills from the top")
        << Texts{"", "", ""} << 3 << Texts{"n1", "n2", ""};
    QTest::newRow("blanks count as text") << Texts{" ", "", ""} << 3 << Texts{" ", "n1", "n2"};
    QTest::newRow("only up to Rows") << Texts{"a", "", ""} << 2 << Texts{"a", "n1", ""};
    QTest::newRow("no room below") << Texts{"", "", "z"} << 3 << Texts{"", "", "z"};
    QTest::newRow("grid larger than Rows, last row used")
        << Texts{"a", "", "", "z"} << 3 << Texts{"a", "", "", "z"};
}

void TestClipListFile::appendMode() {
    QFETCH(Texts, before);
    QFETCH(int, rows);
    QFETCH(Texts, after);
    QCOMPARE(ReadBack("n1\r\n\x0c\r\nn2\r\n\x0c\r\n", rows, before, true), after);
    QCOMPARE(ReadBack(QByteArray(), rows, before, true), before); // an empty file adds nothing
}

void TestClipListFile::legacyBytesLoadUnchanged() {
    Texts texts = Empty(3);
    ClipListFile::Load(QUILLERY_TEST_DATA "/clips/legacy.clp", texts, false, 3);
    QCOMPARE(texts, (Texts{"caf\xe9 cr\xe8me", "\x93quoted\x94 \x80 5\r\nsecond line", ""}));
    TTestDir dir;
    ClipListFile::Save(dir.File("again.clp"), texts, 3);
    QCOMPARE(TTestDir::Read(dir.File("again.clp")), TTestDir::Golden("clips/legacy.clp"));
}

void TestClipListFile::linesAcrossReadBlocks() {
    // Put a CR as the last byte of the first 1 MiB block and its LF first in the next one.
    const qsizetype block = qsizetype(1) << 20;
    QByteArray first(block - 1, 'a');
    const QByteArray file = first + "\r\n\x0c\r\n" + QByteArray(3 * block, 'b') + "\r\n\x0c\r\n";
    TTestDir dir;
    TTestDir::Write(dir.File("big.clp"), file);
    Texts texts = Empty(3);
    ClipListFile::Load(dir.File("big.clp"), texts, false, 3);
    QCOMPARE(texts[0], first);
    QCOMPARE(texts[1], QByteArray(3 * block, 'b'));
    QCOMPARE(texts[2], QByteArray());
}

void TestClipListFile::garbageNeverCrashes() {
    auto* random = QRandomGenerator::global();
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes(random->bounded(2000), Qt::Uninitialized);
        for (char& c : bytes)
            c = "ab\r\n\x0c\x1a\xff "[random->bounded(8)];
        Texts texts = Empty(5);
        ClipListFile::Decode(bytes, texts, round % 2 == 1, 5);
        QCOMPARE(texts.size(), 5);
        // Writing and reading normalises a list once; after that it is stable.
        const Texts once = ReadBack(ClipListFile::Encode(texts, 5), 5);
        const Texts twice = ReadBack(ClipListFile::Encode(once, 5), 5);
        QCOMPARE(twice, once);
    }
}

void TestClipListFile::missingOrUnreadableFileLeavesListAlone() {
    TTestDir dir;
    const Texts before{"keep", "me"};
    for (const QString& name : {dir.File("missing.clp"), dir.Path()}) {
        Texts texts = before;
        QVERIFY_THROWS_EXCEPTION(EQuillery, ClipListFile::Load(name, texts, false, 2));
        QCOMPARE(texts, before);
    }
}

void TestClipListFile::failedSaveKeepsOldFile() {
    TFullDisk disk;
    if (!disk.Available())
        QSKIP("a private tmpfs needs root");
    const QString name = disk.File("list.clp");
    const QByteArray old = "old clip\r\n\x0c\r\n";
    disk.LeaveRoomFor("list.clp", old);
    try {
        ClipListFile::Save(name, {QByteArray(200000, 'n')}, 1);
        QFAIL("saving to a full disk must fail");
    } catch (const EQuillery& e) {
        QVERIFY2(e.Message().contains(name), qPrintable(e.Message()));
    }
    QCOMPARE(TTestDir::Read(name), old);
    QCOMPARE(QDir(QFileInfo(name).path()).entryList({"*.clp*"}, QDir::Files),
             QStringList{"list.clp"});
}

void TestClipListFile::permissions() {
    TTestDir dir;
    const QString fresh = dir.File("new.clp");
    ClipListFile::Save(fresh, {"secret"}, 1);
    const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
    QCOMPARE(QFile::permissions(fresh) & others, QFileDevice::Permissions());
    QVERIFY(QFile::permissions(fresh) & QFile::ReadOwner);
    const QString shared = dir.File("shared.clp");
    TTestDir::Write(shared, "x\r\n\x0c\r\n");
    const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    QVERIFY(QFile::setPermissions(shared, open));
    ClipListFile::Save(shared, {"y"}, 1);
    QCOMPARE(QFile::permissions(shared) & (QFile::ReadGroup | QFile::ReadOther),
             QFile::ReadGroup | QFile::ReadOther);
    QCOMPARE(TTestDir::Read(shared), QByteArray("y\r\n\x0c\r\n"));
}

void TestClipListFile::saveThroughLinkKeepsLink() {
    TTestDir dir;
    TTestDir::Write(dir.File("real.clp"), "");
    QVERIFY(QFile::link(dir.File("real.clp"), dir.File("link.clp")));
    ClipListFile::Save(dir.File("link.clp"), {"via link"}, 1);
    QVERIFY(QFileInfo(dir.File("link.clp")).isSymLink());
    QCOMPARE(TTestDir::Read(dir.File("real.clp")), QByteArray("via link\r\n\x0c\r\n"));
}

QTEST_GUILESS_MAIN(TestClipListFile)
#include "tst_ClipListFile.moc"
