#include "core/Errors.h"
#include "core/config/IniFile.h"
#include "core/files/NativeNames.h"
#include "fakes/TestDir.h"

#include <QtTest>

#include <sys/stat.h>

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void readString_data();
    void readString();
    void parseInteger_data();
    void parseInteger();
    void readBool_data();
    void readBool();
    void write_data();
    void write();
    void anyNameIsKeptWhole();
    void missingFileIsCreated();
    void failedWriteKeepsOldFile();
    void onlySaneFilesAreRead_data();
    void onlySaneFilesAreRead();
};

void TestIniFile::readString_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    const QByteArray f = "[Options]\r\nName=plain\r\n";
    QTest::newRow("plain") << f << "Options"
                           << "Name"
                           << "plain";
    QTest::newRow("section and key ignore case") << f << "oPTIONS"
                                                 << "NAME"
                                                 << "plain";
    QTest::newRow("missing key gives default") << f << "Options"
                                               << "Other"
                                               << "<def>";
    QTest::newRow("missing section gives default") << f << "Nope"
                                                   << "Name"
                                                   << "<def>";
    QTest::newRow("blanks around key and value")
        << QByteArray("[ Options ]\n  Name  =   spaced out  \n") << "Options"
        << "Name"
        << "spaced out";
    QTest::newRow("double quotes stripped") << QByteArray("[S]\nk=\" quoted \"\n") << "S"
                                            << "k"
                                            << " quoted ";
    QTest::newRow("single quotes stripped") << QByteArray("[S]\nk='x'\n") << "S"
                                            << "k"
                                            << "x";
    QTest::newRow("unmatched quotes kept") << QByteArray("[S]\nk=\"x'\n") << "S"
                                           << "k"
                                           << "\"x'";
    QTest::newRow("empty value is empty, not default") << QByteArray("[S]\nk=\n") << "S"
                                                       << "k"
                                                       << "";
    QTest::newRow("first of duplicate keys") << QByteArray("[S]\nk=1\nk=2\n") << "S"
                                             << "k"
                                             << "1";
    QTest::newRow("key in another section is not found")
        << QByteArray("[A]\nk=1\n[B]\nj=2\n") << "B"
        << "k"
        << "<def>";
    QTest::newRow("line without equals is no key") << QByteArray("[S]\nk\nk=v\n") << "S"
                                                   << "k"
                                                   << "v";
    QTest::newRow("value keeps later equals signs") << QByteArray("[S]\nk=a=b\n") << "S"
                                                    << "k"
                                                    << "a=b";
    QTest::newRow("LF and lone CR line ends") << QByteArray("[S]\rk=v\r[T]\nq=w") << "T"
                                              << "q"
                                              << "w";
    QTest::newRow("value cut to 2047 characters")
        << QByteArray("[S]\nk=" + QByteArray(3000, 'x') + "\n") << "S"
        << "k" << QString(2047, QLatin1Char('x'));
    QTest::newRow("Windows-1252 bytes decode") << QByteArray("[S]\nk=caf\xe9\n") << "S"
                                               << "k" << QString::fromUtf8("café");
    QTest::newRow("UTF-8 bytes decode") << QByteArray("[S]\nk=caf\xc3\xa9\n") << "S"
                                        << "k" << QString::fromUtf8("café");
}

void TestIniFile::readString() {
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    TTestDir dir;
    TTestDir::Write(dir.File("t.ini"), file);
    const TIniFile ini(dir.File("t.ini"));
    QCOMPARE(ini.ReadString(section, key, "<def>"), expected);
}

void TestIniFile::parseInteger_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("decimal") << "25" << true << 25;
    QTest::newRow("negative") << "-7" << true << -7;
    QTest::newRow("plus sign") << "+7" << true << 7;
    QTest::newRow("0x hex") << "0x1E" << true << 30;
    QTest::newRow("0X hex") << "0X1e" << true << 30;
    QTest::newRow("dollar hex") << "$1E" << true << 30;
    QTest::newRow("hex uses all 32 bits") << "$FFFFFFFF" << true << -1;
    QTest::newRow("bare 0x") << "0x" << false << 0;
    QTest::newRow("bare dollar") << "$" << false << 0;
    QTest::newRow("letters") << "abc" << false << 0;
    QTest::newRow("trailing junk") << "12abc" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("int max") << "2147483647" << true << 2147483647;
    QTest::newRow("int min") << "-2147483648" << true << int(-2147483648LL);
    QTest::newRow("overflow") << "2147483648" << false << 0;
    QTest::newRow("hex overflow") << "$100000000" << false << 0;
    QTest::newRow("double sign") << "--1" << false << 0;
    QTest::newRow("blank after dollar") << "$ 1E" << false << 0;
    QTest::newRow("0x after dollar") << "$0x10" << false << 0;
    QTest::newRow("0x twice") << "0x0x10" << false << 0;
    QTest::newRow("blank after 0x") << "0x 1E" << false << 0;
    QTest::newRow("sign after 0x") << "0x-1" << false << 0;
}

void TestIniFile::parseInteger() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    int parsed = 12345;
    QCOMPARE(TIniFile::ParseInteger(text, parsed), ok);
    if (ok)
        QCOMPARE(parsed, value);
}

void TestIniFile::readBool_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("def");
    QTest::addColumn<bool>("expected");
    QTest::newRow("1") << QByteArray("1") << false << true;
    QTest::newRow("0") << QByteArray("0") << true << false;
    QTest::newRow("2 is true") << QByteArray("2") << false << true;
    QTest::newRow("hex nonzero") << QByteArray("$10") << false << true;
    QTest::newRow("garbage gives default true") << QByteArray("yes") << true << true;
    QTest::newRow("garbage gives default false") << QByteArray("yes") << false << false;
    QTest::newRow("empty gives default") << QByteArray("") << true << true;
}

void TestIniFile::readBool() {
    QFETCH(QByteArray, value);
    QFETCH(bool, def);
    QFETCH(bool, expected);
    TTestDir dir;
    TTestDir::Write(dir.File("t.ini"), "[S]\nflag=" + value + "\n");
    QCOMPARE(TIniFile(dir.File("t.ini")).ReadBool("S", "FLAG", def), expected);
}

void TestIniFile::write_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("replaced in place, neighbours and comments kept")
        << QByteArray("; note\n[Options]\nA=1\nRows=5\nB=2\n") << "options"
        << "ROWS"
        << "30" << QByteArray("; note\n[Options]\nA=1\nROWS=30\nB=2\n");
    QTest::newRow("added after the section's last line")
        << QByteArray("[Options]\nA=1\n\n[Other]\nX=1\n") << "Options"
        << "New"
        << "v" << QByteArray("[Options]\nA=1\nNew=v\n\n[Other]\nX=1\n");
    QTest::newRow("missing section appended")
        << QByteArray("[Options]\nA=1\n") << "Defaults"
        << "Height"
        << "297" << QByteArray("[Options]\nA=1\n[Defaults]\nHeight=297\n");
    QTest::newRow("CR LF file stays CR LF") << QByteArray("[S]\r\nk=1\r\n") << "S"
                                            << "k"
                                            << "2" << QByteArray("[S]\r\nk=2\r\n");
    QTest::newRow("line breaks in a value cannot add lines")
        << QByteArray("[S]\n") << "S"
        << "k"
        << "a\nRows=1" << QByteArray("[S]\nk=a Rows=1\n");
    QTest::newRow("unknown sections survive") << QByteArray("[Mine]\nx=1\n[S]\nk=1\n") << "S"
                                              << "k"
                                              << "0" << QByteArray("[Mine]\nx=1\n[S]\nk=0\n");
    // Old single-byte lines stay as they were; a file name keeps bytes that are not UTF-8.
    QTest::newRow("bytes that are not UTF-8 kept")
        << QByteArray("[Mine]\nx=caf\xe9\n[S]\n") << "S"
        << "DefaultFile" << NativeNames::Decode("/d/caf\xe9.clp")
        << QByteArray("[Mine]\nx=caf\xe9\n[S]\nDefaultFile=/d/caf\xe9.clp\n");
}

void TestIniFile::write() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    TTestDir dir;
    const QString name = dir.File("t.ini");
    TTestDir::Write(name, before);
    TIniFile ini(name);
    ini.WriteString(section, key, value);
    ini.UpdateFile();
    QCOMPARE(TTestDir::Read(name), after);
    QCOMPARE(TIniFile(name).ReadPath(section, key, "<def>"), QString(value).replace('\n', ' '));
}

// Thousands of names made of the pieces that the plain form would change or that an escape
// could mistake: each reads back as written, and a name the plain form keeps is written plain,
// as older settings files hold it.
void TestIniFile::anyNameIsKeptWhole() {
    const QList<QByteArray> pieces{"a",   "/", " ", "\t", "\n", "\r",   "\"",       "'",      "%",
                                   "%0A", "=", ";", "[",  "\\", "\xe9", "\xc3\xa9", "file://"};
    QRandomGenerator random(30);
    for (int n = 0; n < 5000; ++n) {
        QByteArray bytes;
        for (int i = random.bounded(1, 12); i > 0; --i)
            bytes += pieces[random.bounded(int(pieces.size()))];
        const QString name = NativeNames::Decode(bytes);
        TIniFile ini("t.ini", "[S]\nk=old\n");
        ini.WritePath("S", "k", name);
        const QByteArray written = ini.Bytes();
        QCOMPARE(written.count('\n'), 2);
        QCOMPARE(TIniFile("t.ini", written).ReadPath("S", "k", "<def>"), name);
        const bool quoted =
            bytes.size() >= 2 && (bytes[0] == '"' || bytes[0] == '\'') && bytes.back() == bytes[0];
        const bool plain = !bytes.contains('\n') && !bytes.contains('\r') &&
                           name == name.trimmed() && !quoted && !bytes.startsWith("file://");
        if (plain)
            QCOMPARE(written, "[S]\nk=" + bytes + "\n");
    }
}

void TestIniFile::missingFileIsCreated() {
    TTestDir dir;
    const QString name = dir.File("new.ini");
    TIniFile ini(name);
    QCOMPARE(ini.ReadInteger("S", "k", 7), 7);
    ini.WriteInteger("S", "k", -3);
    ini.WriteBool("S", "b", true);
    ini.UpdateFile();
    QCOMPARE(TTestDir::Read(name), QByteArray("[S]\nk=-3\nb=1\n"));
}

void TestIniFile::failedWriteKeepsOldFile() {
    TTestDir dir;
    // A path whose folder is a file cannot be written by anyone, root included.
    const QString impossible = dir.File("t.ini") + "/sub.ini";
    TTestDir::Write(dir.File("t.ini"), "x");
    TIniFile bad(impossible);
    bad.WriteString("S", "k", "2");
    try {
        bad.UpdateFile();
        QFAIL("writing under a file must fail");
    } catch (const EQuillery& e) {
        QCOMPARE(e.Message(), "Unable to write to " + impossible);
    }

    TFullDisk disk;
    if (!disk.Available())
        QSKIP("a private tmpfs needs root");
    const QString name = disk.File("Quillery.Ini");
    const QByteArray old = "[Options]\nRows=25\n";
    disk.LeaveRoomFor("Quillery.Ini", old);
    // A large write, and one as small as the file: neither may leave an empty file behind.
    for (const QString& value : {QString(20000, QLatin1Char('p')), QString("30")}) {
        TIniFile ini(name);
        ini.WriteString("Options", "Rows", value);
        QVERIFY_THROWS_EXCEPTION(EQuillery, ini.UpdateFile());
        QCOMPARE(TTestDir::Read(name), old);
    }
}

void TestIniFile::onlySaneFilesAreRead_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("value"); // of Options/Name; empty: not read
    QTest::newRow("UTF-16 little endian") << "utf16le" << QString::fromUtf8("Grüße");
    QTest::newRow("UTF-16 big endian") << "utf16be" << QString::fromUtf8("Grüße");
    QTest::newRow("a pipe: not waited on") << "fifo"
                                           << "";
    QTest::newRow("a device that never ends") << "device"
                                              << "";
    QTest::newRow("larger than a settings file can be") << "huge"
                                                        << "";
}

// Only a regular file of a sane size is read; one that is there but not read is never
// replaced.
void TestIniFile::onlySaneFilesAreRead() {
    QFETCH(QString, kind);
    QFETCH(QString, value);
    TTestDir dir;
    const QString name = dir.File("Quillery.Ini");
    const QString text = QString::fromUtf8("[Options]\r\nName=Grüße\r\n");
    QByteArray bytes;
    if (kind.startsWith("utf16")) {
        const bool little = kind == "utf16le";
        bytes = little ? "\xFF\xFE" : "\xFE\xFF";
        for (QChar c : text) {
            const char low = char(c.unicode()), high = char(c.unicode() >> 8);
            bytes.append(little ? low : high).append(little ? high : low);
        }
        TTestDir::Write(name, bytes);
    } else if (kind == "fifo") {
        QCOMPARE(::mkfifo(name.toLocal8Bit().constData(), 0600), 0);
    } else if (kind == "device") {
        QVERIFY(QFile::link("/dev/zero", name));
    } else {
        TTestDir::Write(name, "[Options]\nName=x\n" + QByteArray(TIniFile::MaxFileBytes, ';'));
    }
    TIniFile ini(name);
    QCOMPARE(ini.ReadString("Options", "Name", ""), value);
    QCOMPARE(ini.Unreadable(), value.isEmpty());
    ini.WriteString("Options", "Name", "new");
    if (value.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(EQuillery, ini.UpdateFile());
        QVERIFY(!QFileInfo(name).isFile() || QFileInfo(name).size() > TIniFile::MaxFileBytes);
    } else {
        ini.UpdateFile();
        QCOMPARE(TIniFile(name).ReadString("Options", "Name", ""), "new");
    }
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_IniFile.moc"
