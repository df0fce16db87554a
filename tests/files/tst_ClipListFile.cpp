#include "ClipListModel.h"
#include "core/Errors.h"
#include "core/files/ClipListFile.h"
#include "core/files/FileNames.h"
#include "core/files/NativeNames.h"
#include "core/files/SafeFile.h"
#include "fakes/TestDir.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

// What reaches the disk, in order, while Trace is on: "sync <path>" and "rename <to>". The
// program's own calls come here first, as the test program defines them.
namespace {
bool Trace = false;
QStringList Traced;
QString PathOf(int fd) {
    return QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(fd));
}
} // namespace

extern "C" int fsync(int fd) {
    static const auto real = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
    if (Trace)
        Traced << "sync " + PathOf(fd);
    return real(fd);
}

extern "C" int rename(const char* from, const char* to) {
    static const auto real =
        reinterpret_cast<int (*)(const char*, const char*)>(dlsym(RTLD_NEXT, "rename"));
    const int result = real(from, to);
    if (Trace && result == 0)
        Traced << "rename " + QFileInfo(QString::fromLocal8Bit(to)).canonicalFilePath();
    return result;
}

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
    void readerAgreesWithRules();
    void separatorAcrossReadBlock_data();
    void separatorAcrossReadBlock();
    void largeListRoundTrip();
    void missingOrUnreadableFileLeavesListAlone();
    void failedSaveKeepsOldFile();
    void permissions();
    void theNewNameReachesTheDisk();
    void saveThroughLinkKeepsLink();
    void savingLeavesAloneWhatIsNotOurs_data();
    void savingLeavesAloneWhatIsNotOurs();
    void staleTemporaryCopiesAreRemoved();
    void tempListsAreReservedOnce();
    void namesKeepEveryByte();
    void nameNotUtf8ListedReadAndSaved();
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
    QTest::newRow("0x1A inside a clip is text")
        << Texts{"keep", "cut\x1ahere", "\x1a!"} << Texts{"keep", "cut\x1ahere", "\x1a!"};
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
    QTest::newRow("0x1A at the start is text") << QByteArray("\x1a"
                                                             "a\r\n\x0c\r\n")
                                               << Texts{"\x1a"
                                                        "a",
                                                        "", ""};
    QTest::newRow("0x1A bytes at the very end are the end")
        << QByteArray("a\r\n\x0c\r\nb\x1a\x1a") << Texts{"a", "", ""};
    QTest::newRow("separator at end without line break")
        << QByteArray("a\r\n\x0c") << Texts{"a", "", ""};
    QTest::newRow("no line ends at all") << QByteArray(5000, 'z') << Texts{"", "", ""};
    QTest::newRow("two CRs are two line ends")
        << QByteArray("p1\r\rp2\r\n\x0c\r\n") << Texts{"p1\r\n\r\np2", "", ""};
    QTest::newRow("a clip ending in CR")
        << QByteArray("abc\r\r\n\x0c\r\n") << Texts{"abc\r\n", "", ""};
    QTest::newRow("form feeds then two CRs")
        << QByteArray("\x0c\x0c\r\r") << Texts{"\x0c\x0c", "", ""};
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

namespace {
// Bytes that the reading rules treat specially, and some plain ones.
QByteArray RandomBytes(QRandomGenerator& random, int maxSize) {
    static const char alphabet[] = "ab \r\r\n\n\x0c\x0c\xff\x1a";
    QByteArray bytes(random.bounded(maxSize + 1), Qt::Uninitialized);
    for (char& c : bytes)
        c = alphabet[random.bounded(int(sizeof alphabet) - 1)];
    if (random.bounded(4) != 0)
        bytes.replace('\x1a', 'c'); // most files hold no 0x1A
    if (random.bounded(4) == 0)
        bytes += QByteArray(random.bounded(1, 4), '\x1a'); // an old end-of-file mark
    return bytes;
}

// A file as the program writes it, now and then with a few bytes changed.
QByteArray RandomList(QRandomGenerator& random) {
    Texts texts(random.bounded(1, 8));
    for (QByteArray& text : texts)
        text = RandomBytes(random, 12);
    QByteArray file = ClipListFile::Encode(texts, int(texts.size()));
    for (int n = random.bounded(3); n > 0 && !file.isEmpty(); --n)
        file[random.bounded(int(file.size()))] = "\r\n\x0cz"[random.bounded(4)];
    if (random.bounded(5) == 0)
        file += '\x1a';
    return file;
}

Texts RandomStart(QRandomGenerator& random, int rows) {
    Texts texts(rows + random.bounded(2)); // the grid may hold more rows than Rows
    for (QByteArray& text : texts)
        text = random.bounded(3) == 0 ? QByteArray("old") : QByteArray();
    return texts;
}
} // namespace

void TestClipListFile::readerAgreesWithRules() {
    QRandomGenerator random(20261208);
    const qsizetype blocks[] = {1, 2, 3, 4, 5, 7, 16, ClipListFile::DefaultBlockSize};
    for (int round = 0; round < 6000; ++round) {
        const QByteArray file = round % 2 ? RandomList(random) : RandomBytes(random, 80);
        const int rows = random.bounded(1, 7);
        const bool append = random.bounded(3) == 0;
        const Texts start = RandomStart(random, rows);
        Texts expected = start;
        const ClipListModel::TCounts counts = ClipListModel::Read(file, expected, append, rows);
        for (qsizetype block : blocks) {
            Texts texts = start;
            const ClipListFile::TReadResult result =
                ClipListFile::Decode(file, texts, append, rows, block);
            if (texts != expected || result.Read != counts.Read || result.Left != counts.Left) {
                qWarning() << "file" << file.toHex(' ') << "rows" << rows << "append" << append
                           << "block" << block << "start" << start;
                QCOMPARE(texts, expected);
                QCOMPARE(result.Read, counts.Read);
                QCOMPARE(result.Left, counts.Left);
            }
        }
    }
}

void TestClipListFile::separatorAcrossReadBlock_data() {
    QTest::addColumn<QByteArray>("separator");
    QTest::newRow("CR LF FF CR LF") << QByteArray("\r\n\x0c\r\n");
    QTest::newRow("after a lone CR") << QByteArray("\r\r\n\x0c\r\n");
    QTest::newRow("FF line ended by CR alone") << QByteArray("\r\n\x0c\r");
}

void TestClipListFile::separatorAcrossReadBlock() {
    // Every byte of a separator falls once on the last byte of the reader's first block.
    QFETCH(QByteArray, separator);
    const qsizetype block = ClipListFile::DefaultBlockSize;
    TTestDir dir;
    for (qsizetype at = block - qsizetype(separator.size()); at <= block; ++at) {
        const QByteArray file = QByteArray(at, 'a') + separator + "next\r\n\x0c\r\n";
        TTestDir::Write(dir.File("big.clp"), file);
        Texts texts = Empty(3), expected = Empty(3);
        ClipListFile::Load(dir.File("big.clp"), texts, false, 3);
        ClipListModel::Read(file, expected, false, 3);
        QCOMPARE(texts, expected);
        QCOMPARE(texts[1], QByteArray("next"));
    }
}

void TestClipListFile::largeListRoundTrip() {
    // A list the program wrote itself comes back byte for byte, across many read blocks.
    QRandomGenerator random(7);
    Texts texts(100000);
    for (QByteArray& text : texts) {
        text = QByteArray(random.bounded(1, 120), 'x');
        for (int n = random.bounded(3); n > 0; --n)
            text += "\r\n" + QByteArray(random.bounded(40), 'y');
    }
    TTestDir dir;
    ClipListFile::Save(dir.File("many.clp"), texts, int(texts.size()));
    Texts loaded = Empty(int(texts.size()));
    ClipListFile::Load(dir.File("many.clp"), loaded, false, int(texts.size()));
    QVERIFY(loaded == texts);
}

void TestClipListFile::missingOrUnreadableFileLeavesListAlone() {
    TTestDir dir;
    const Texts before{"keep", "me"};
    QVERIFY(::mkfifo(dir.File("fifo.clp").toLocal8Bit().constData(), 0600) == 0);
    // A pipe without writer would block the reader, a device never end.
    for (const QString& name :
         {dir.File("missing.clp"), dir.Path(), dir.File("fifo.clp"), QString("/dev/zero")}) {
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

// A power cut right after a save keeps the new list: the file is on disk before it takes the
// name, and the folder, which holds the name, after.
void TestClipListFile::theNewNameReachesTheDisk() {
    TTestDir dir;
    const QString name = dir.File("list.clp");
    TTestDir::Write(name, "old\r\n\x0c\r\n");
    Trace = true;
    ClipListFile::Save(name, {"new"}, 1);
    Trace = false;
    const QString folder = QFileInfo(dir.Path()).canonicalFilePath();
    const QString file = QFileInfo(name).canonicalFilePath();
    QCOMPARE(Traced.size(), 3);
    QVERIFY2(Traced[0].startsWith("sync " + folder + "/.qlry-"), qPrintable(Traced.join('|')));
    QCOMPARE(Traced.mid(1), (QStringList{"rename " + file, "sync " + folder}));
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

void TestClipListFile::savingLeavesAloneWhatIsNotOurs_data() {
    QTest::addColumn<QString>("what");
    QTest::newRow("a list made read-only, also when root saves") << "read-only";
    QTest::newRow("another user's list stays theirs") << "another user's";
    QTest::newRow("a link to a drive that is not mounted") << "dangling link";
}

void TestClipListFile::savingLeavesAloneWhatIsNotOurs() {
    QFETCH(QString, what);
    TTestDir dir;
    const QString name = dir.File("list.clp");
    const QByteArray old = "old\r\n\x0c\r\n";
    if (what == "dangling link")
        QVERIFY(QFile::link(dir.File("unmounted/list.clp"), name));
    else
        TTestDir::Write(name, old);
    if (what == "read-only")
        QVERIFY(QFile::setPermissions(name, QFile::ReadOwner | QFile::ReadGroup));
    if (what == "another user's") {
        if (::geteuid() != 0)
            QSKIP("needs root, to give a file away");
        QCOMPARE(QProcess::execute("chown", {"nobody:nogroup", name}), 0);
        ClipListFile::Save(name, {"new"}, 1);
        QCOMPARE(TTestDir::Read(name), QByteArray("new\r\n\x0c\r\n"));
        QCOMPARE(QFileInfo(name).owner(), QString("nobody"));
        QCOMPARE(QFileInfo(name).group(), QString("nogroup"));
        return;
    }
    QVERIFY_THROWS_EXCEPTION(EQuillery, ClipListFile::Save(name, {"new"}, 1));
    if (what == "dangling link") {
        QVERIFY(QFileInfo(name).isSymLink());
        QVERIFY(!QFileInfo::exists(dir.File("unmounted")));
    } else {
        QCOMPARE(TTestDir::Read(name), old);
    }
    QCOMPARE(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList{"list.clp"});
}

// Left by a save that SIGKILL cut short: removed at the next start, and nothing else is.
void TestClipListFile::staleTemporaryCopiesAreRemoved() {
    TTestDir dir;
    const QDateTime start = QDateTime::currentDateTime();
    const auto make = [&](const QString& name, qint64 age) {
        TTestDir::Write(dir.File(name), "clips");
        QFile file(dir.File(name));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(start.addSecs(-age), QFileDevice::FileModificationTime));
    };
    make(".qlry-a1B2c3", 3600);   // a killed save's
    make(".qlry-d4E5f6", -60);    // one being written now
    make(".qlry-long1234", 3600); // not a name of ours
    make("list.clp", 3600);
    TSafeFile::RemoveStale(dir.Path(), start);
    QCOMPARE(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             QStringList({".qlry-d4E5f6", ".qlry-long1234", "list.clp"}));
}

void TestClipListFile::tempListsAreReservedOnce() {
    // Two programs ending at once: each name goes to one of them only.
    TTestDir dir;
    TTestDir::Write(dir.File("qlry0001.Clp"), "someone's list");
    const QString first = FileNames::ReserveTempList(dir.Path());
    const QString second = FileNames::ReserveTempList(dir.Path());
    QCOMPARE(first, dir.File("qlry0002.Clp"));
    QCOMPARE(second, dir.File("qlry0003.Clp"));
    QVERIFY(QFileInfo::exists(first));
    QCOMPARE(QFile::permissions(first) & (QFile::ReadOther | QFile::ReadGroup),
             QFile::Permissions());
    QCOMPARE(TTestDir::Read(dir.File("qlry0001.Clp")), QByteArray("someone's list"));
    // A link planted as the next name, even one to nowhere, holds that name.
    QVERIFY(QFile::link(dir.File("elsewhere/planted"), dir.File("qlry0004.Clp")));
    QCOMPARE(FileNames::ReserveTempList(dir.Path()), dir.File("qlry0005.Clp"));
    QVERIFY(!QFileInfo::exists(dir.File("elsewhere")));
}

// Random names built of ASCII, well-formed UTF-8 and the ill-formed kinds (stray continuation
// bytes, overlong forms, encoded surrogates, past U+10FFFF, cut sequences): every byte comes
// back, and what is UTF-8 reads as Qt reads it.
void TestClipListFile::namesKeepEveryByte() {
    const QList<QByteArray> pieces{
        "a",    "/",       ".clp",     "\xc3\xa9",     "\xe2\x82\xac",     "\xf0\x9f\x98\x80",
        "\xe9", "\x80",    "\xc0\xaf", "\xed\xb3\xa9", "\xf4\x90\x80\x80", "\xe2\x82",
        "\xff", "\xf0\x9f"};
    QRandomGenerator random(12);
    for (int i = 0; i < 20000; ++i) {
        QByteArray bytes;
        for (int n = random.bounded(8); n > 0; --n)
            bytes += random.bounded(4) == 0 ? QByteArray(1, char(random.bounded(256)))
                                            : pieces[random.bounded(pieces.size())];
        const QString name = NativeNames::Decode(bytes);
        QCOMPARE(NativeNames::Encode(name), bytes);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString qt = utf8.decode(bytes);
        QCOMPARE(NativeNames::HasEscapes(name), utf8.hasError());
        if (!utf8.hasError())
            QCOMPARE(name, qt);
        QVERIFY(QStringView(NativeNames::Shown(name)).isValidUtf16());
    }
}

// A list whose name is not UTF-8 is offered, read, and saved back to itself; no file with a
// name made up for it appears.
void TestClipListFile::nameNotUtf8ListedReadAndSaved() {
    TTestDir dir;
    const QByteArray folder = dir.Path().toUtf8();
    TTestDir::WriteNamed(folder + "caf\xe9.clp", "old\r\n\x0c\r\n");
    TTestDir::Write(dir.File("B.clp"), "");
    QDir().mkdir(dir.File("folder.clp")); // no list
    const QStringList names = FileNames::EntriesMatching(dir.Path(), "*.CLP");
    QCOMPARE(names, (QStringList{"B.clp", NativeNames::Decode("caf\xe9.clp")}));
    const QString name = dir.Path() + names[1];
    QVERIFY(FileNames::IsExistingFile(name));
    Texts texts = Empty(2);
    ClipListFile::Load(name, texts, false, 2);
    QCOMPARE(texts, (Texts{"old", ""}));
    ClipListFile::Save(name, {"new"}, 1);
    QCOMPARE(TTestDir::ReadNamed(folder + "caf\xe9.clp"), QByteArray("new\r\n\x0c\r\n"));
    const std::filesystem::directory_iterator entries(folder.toStdString());
    QCOMPARE(std::distance(begin(entries), end(entries)), 3);
    QCOMPARE(FileNames::ReserveTempList(dir.Path() + NativeNames::Decode("\xe9/")),
             dir.Path() + NativeNames::Decode("\xe9/qlry0001.Clp")); // a folder not there
}

QTEST_GUILESS_MAIN(TestClipListFile)
#include "tst_ClipListFile.moc"
