#include "core/grid/CsvField.h"
#include "core/grid/GridSort.h"
#include "core/text/ClipText.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtTest>

class TestClipText : public QObject {
    Q_OBJECT
private slots:
    void compare_data();
    void compare();
    void isBlank_data();
    void isBlank();
    void splitLines_data();
    void splitLines();
    void csvField_data();
    void csvField();
    void decode_data();
    void decode();
    void previewIsBoundedAndOneLine();
    void oneLineFollowsItsRules();
    void codesAgreeWithQt();
    void quickSortOrdersLikeAReferenceSort();
};

void TestClipText::compare_data() {
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<int>("sign");
    QTest::newRow("apple = APPLE") << QByteArray("apple") << QByteArray("APPLE") << 0;
    QTest::newRow("a < ab") << QByteArray("a") << QByteArray("ab") << -1;
    QTest::newRow("a < Z") << QByteArray("a") << QByteArray("Z") << -1;
    QTest::newRow("_ after zebra") << QByteArray("_x") << QByteArray("zebra") << 1;
    QTest::newRow("empty < anything") << QByteArray("") << QByteArray("\x01") << -1;
    QTest::newRow("equal empties") << QByteArray("") << QByteArray("") << 0;
    QTest::newRow("0xE9 vs 0xC9 not folded") << QByteArray("\xe9") << QByteArray("\xc9") << 1;
    QTest::newRow("bytes compare unsigned") << QByteArray("\x80") << QByteArray("\x7f") << 1;
    QTest::newRow("[ (0x5B) after Z, before a") << QByteArray("[") << QByteArray("a") << 1;
}

void TestClipText::compare() {
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(int, sign);
    const auto sgn = [](int v) { return (v > 0) - (v < 0); };
    QCOMPARE(sgn(ClipText::Compare(a, b)), sign);
    QCOMPARE(sgn(ClipText::Compare(b, a)), -sign);
}

void TestClipText::isBlank_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("blank");
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("spaces tabs breaks") << QByteArray(" \t\r\n\x0c") << true;
    QTest::newRow("control bytes") << QByteArray("\x01\x1f ", 3) << true;
    QTest::newRow("NUL") << QByteArray("\0", 1) << true;
    QTest::newRow("one letter") << QByteArray("  x ") << false;
    QTest::newRow("high byte") << QByteArray("\xa0") << false;
}

void TestClipText::isBlank() {
    QFETCH(QByteArray, text);
    QFETCH(bool, blank);
    QCOMPARE(ClipText::IsBlank(text), blank);
}

void TestClipText::splitLines_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<QByteArray>>("lines");
    using L = QList<QByteArray>;
    QTest::newRow("empty") << QByteArray() << L{};
    QTest::newRow("no break") << QByteArray("one") << L{"one"};
    QTest::newRow("CR LF") << QByteArray("a\r\nb") << L{"a", "b"};
    QTest::newRow("lone LF") << QByteArray("x\ny") << L{"x", "y"};
    QTest::newRow("lone CR") << QByteArray("x\ry") << L{"x", "y"};
    QTest::newRow("LF CR is two breaks") << QByteArray("x\n\ry") << L{"x", "", "y"};
    QTest::newRow("final break adds no line") << QByteArray("a\r\n") << L{"a"};
    QTest::newRow("final blank line kept") << QByteArray("a\r\n\r\n") << L{"a", ""};
    QTest::newRow("only a break") << QByteArray("\r\n") << L{""};
}

void TestClipText::splitLines() {
    QFETCH(QByteArray, text);
    QFETCH(QList<QByteArray>, lines);
    QCOMPARE(ClipText::SplitLines(text), lines);
}

void TestClipText::csvField_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("n");
    QTest::addColumn<QByteArray>("field");
    const QByteArray line = "x,\"a,b\",y";
    QTest::newRow("first") << line << 0 << QByteArray("x");
    QTest::newRow("quoted delimiter stays, quotes go") << line << 1 << QByteArray("a,b");
    QTest::newRow("after a quoted field") << line << 2 << QByteArray("y");
    QTest::newRow("past the end") << line << 3 << QByteArray();
    QTest::newRow("blanks trimmed") << QByteArray(" a ,\t b\t") << 1 << QByteArray("b");
    QTest::newRow("doubled quote stays doubled")
        << QByteArray("\"say \"\"hi\"\"\"") << 0 << QByteArray("say \"\"hi\"\"");
    QTest::newRow("quote in the middle is kept")
        << QByteArray("a\"b,c\",d") << 1 << QByteArray("d");
    QTest::newRow("empty fields") << QByteArray(",,z") << 1 << QByteArray();
    QTest::newRow("empty line") << QByteArray() << 0 << QByteArray();
}

void TestClipText::csvField() {
    QFETCH(QByteArray, line);
    QFETCH(int, n);
    QFETCH(QByteArray, field);
    QCOMPARE(CsvField(line, n), field);
}

void TestClipText::decode_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("plain") << "plain";
    QTest::newRow("utf-8") << QByteArray("gr\xc3\xbc\xc3\x9f") << QString::fromUtf8("grüß");
    QTest::newRow("windows-1252 letters") << QByteArray("gr\xfc\xdf") << QString::fromUtf8("grüß");
    QTest::newRow("windows-1252 euro and quotes")
        << QByteArray("\x80 \x93q\x94") << QString::fromUtf8("€ “q”");
}

void TestClipText::decode() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(ClipText::Decode(bytes), text);
}

void TestClipText::previewIsBoundedAndOneLine() {
    const QByteArray huge = QByteArray("line one\r\nline two\n") + QByteArray(50'000'000, 'x');
    const QString preview = ClipText::Preview(huge, 100);
    QVERIFY(preview.size() <= 120);
    QVERIFY(!preview.contains('\n') && !preview.contains('\r'));
    QVERIFY(preview.startsWith("line one"));
    QVERIFY(preview.contains("line two"));
    // A short old single-byte clip whose last byte could begin a UTF-8 sequence.
    QCOMPARE(ClipText::Preview("caf\xe9"), QString::fromUtf8("café"));
}

namespace {
// Whether bytes could begin a UTF-8 character: some continuation makes them one.
bool BeginsACharacter(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return true;
    for (int n = 1; n + bytes.size() <= 4; ++n) {
        for (int combo = 0; combo < (1 << (2 * n)); ++combo) {
            QByteArray whole = bytes;
            for (int i = 0; i < n; ++i)
                whole += "\x80\x90\xa0\xbf"[(combo >> (2 * i)) & 3];
            if (ClipText::IsUtf8(whole))
                return true;
        }
    }
    return false;
}

// The launcher line's rules, written out plainly.
QString ModelLine(const QByteArray& text, int max) {
    const qsizetype limit = qsizetype(max) * 4 + 4;
    const QByteArray head = text.left(limit);
    // UTF-8 if the head is; past the head's end a character may be cut (up to three bytes).
    QString decoded = ClipText::DecodeCp1252(head);
    for (int cut = 0; cut <= (text.size() > limit ? 3 : 0) && cut <= head.size(); ++cut) {
        if (ClipText::IsUtf8(head.left(head.size() - cut)) && BeginsACharacter(head.right(cut))) {
            decoded = QString::fromUtf8(head.left(head.size() - cut));
            break;
        }
    }
    decoded.replace("\r\n", "\n").replace('\r', '\n');
    QList<uint> out;
    for (const uint c : decoded.toUcs4()) {
        if (c == '\n' || c == 0x85 || c == 0x2028 || c == 0x2029)
            out << ' ' << 0x21B5 << ' ';
        else if (c == '\t')
            out << ' ';
        else if (c < 0x20)
            out << 0x2400 + c;
        else if (c == 0x7F)
            out << 0x2421;
        else if (c >= 0x80 && c <= 0x9F)
            out << 0xFFFD;
        else
            out << c;
    }
    if (out.size() > max) {
        out.resize(max - 1);
        out << 0x2026;
    }
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(out.constData()), out.size());
}
} // namespace

// The one-line form for launchers against its rules, on random texts of every encoding, and
// bounded on a huge clip.
void TestClipText::oneLineFollowsItsRules() {
    const QList<QByteArray> pieces{"a",
                                   " ",
                                   "\r",
                                   "\n",
                                   "\t",
                                   QByteArray(1, '\0'),
                                   "\x1b",
                                   "\x7f",
                                   "\xc3\xa9",
                                   "\xe2\x82\xac",
                                   "\xf0\x9f\x98\x80",
                                   "\xc2\x85",
                                   "\xe2\x80\xa8",
                                   "\xc2\x9b",
                                   "\xe9",
                                   "\x81",
                                   "\xf0\x9f"};
    QRandomGenerator random(32);
    for (int round = 0; round < 20000; ++round) {
        const int max = 1 + random.bounded(12);
        QByteArray text;
        for (int n = random.bounded(40); n > 0; --n) // mostly valid UTF-8, now and then not
            text += pieces[random.bounded(random.bounded(8) ? pieces.size() - 3 : pieces.size())];
        QCOMPARE(ClipText::OneLine(text, max), ModelLine(text, max));
    }
    const QString huge = ClipText::OneLine(QByteArray(50'000'000, 'x') + "\n", 200);
    QCOMPARE(huge.size(), 200);
    QVERIFY(huge.endsWith(QChar(0x2026)));
}

namespace {
struct VectorRows {
    QList<QByteArray> Keys;
    QByteArray Key(int r) const { return Keys.at(r); }
    void Swap(int a, int b) { Keys.swapItemsAt(a, b); }
};
} // namespace

void TestClipText::quickSortOrdersLikeAReferenceSort() {
    auto* random = QRandomGenerator::global();
    for (int round = 0; round < 200; ++round) {
        VectorRows rows;
        const int n = 1 + random->bounded(60);
        for (int i = 0; i < n; ++i) {
            QByteArray key;
            const int len = random->bounded(4);
            for (int k = 0; k < len; ++k)
                key += "aAbB_z"[random->bounded(6)];
            rows.Keys.append(key);
        }
        QList<QByteArray> reference = rows.Keys;
        std::stable_sort(reference.begin(), reference.end(),
                         [](auto& a, auto& b) { return ClipText::Compare(a, b) < 0; });
        const bool ascending = round % 2 == 0;
        GridSort::Sort(rows, 0, n - 1, ascending, ClipText::Compare);
        if (!ascending)
            std::reverse(rows.Keys.begin(), rows.Keys.end());
        for (int i = 0; i < n; ++i)
            QCOMPARE(ClipText::Compare(rows.Keys[i], reference[i]), 0);
    }
}

// The UTF-8 check agrees with Qt's decoder, and the single-byte code with Qt's Windows-1252
// wherever that defines a byte, on random bytes.
void TestClipText::codesAgreeWithQt() {
    QRandomGenerator random(7);
    for (int round = 0; round < 100000; ++round) {
        QByteArray bytes(random.bounded(9), Qt::Uninitialized);
        for (char& b : bytes) // mostly bytes that start or continue a sequence
            b = char(random.bounded(4) ? 0x80 + random.bounded(0x78) : random.bounded(0x100));
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8.decode(bytes);
        QCOMPARE(ClipText::IsUtf8(bytes), !utf8.hasError());
        const QString text = ClipText::DecodeCp1252(bytes);
        QByteArray back;
        QVERIFY(ClipText::EncodeCp1252(text, back));
        QCOMPARE(back, bytes);
        QStringEncoder cp1252("windows-1252");
        const QByteArray qt = cp1252.encode(text);
        if (!cp1252.hasError() && QStringDecoder("windows-1252").decode(qt) == text)
            QCOMPARE(qt, bytes);
    }
    QByteArray none;
    QVERIFY(!ClipText::EncodeCp1252(QString::fromUtf8("Ω"), none));
}

QTEST_GUILESS_MAIN(TestClipText)
#include "tst_ClipText.moc"
