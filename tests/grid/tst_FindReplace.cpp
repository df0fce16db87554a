#include "core/grid/TextSearch.h"
#include "fakes/FormFixture.h"
#include "gui/dialogs/FindDialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtTest>

#include <optional>

using Texts = QList<QByteArray>;

namespace {
bool IsUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString FromCp1252(const QByteArray& bytes) {
    return QStringDecoder("windows-1252").decode(bytes);
}

// Windows-1252 as far as it has the characters; empty where it lacks one.
std::optional<QByteArray> ToCp1252(const QString& text) {
    QStringEncoder encoder("windows-1252");
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError() || FromCp1252(bytes) != text)
        return std::nullopt;
    return bytes;
}

// The replace rules over units of T (the characters of a UTF-8 clip, or the bytes of one in
// the old code): a match at p when the text from p on begins with the find text, units being
// the same when same says so; after a replacement the search goes on after the inserted text.
template <class T, class Same>
T ModelReplace(T text, const T& find, const T& by, bool all, Same same) {
    qsizetype p = 0;
    while (p + find.size() <= text.size()) {
        bool match = true;
        for (qsizetype i = 0; i < find.size() && match; ++i)
            match = same(text[p + i], find[i]);
        if (!match) {
            ++p;
            continue;
        }
        text = text.left(p) + by + text.mid(p + find.size());
        p += by.size();
        if (!all)
            break;
    }
    return text;
}

QByteArray ModelUtf8(const QByteArray& clip, const QString& find, const QString& by, bool matchCase,
                     bool all) {
    const QString text = QString::fromUtf8(clip);
    const QString out = ModelReplace(text, find, by, all, [&](QChar a, QChar b) {
        return matchCase ? a == b : a.toCaseFolded() == b.toCaseFolded();
    });
    return out == text ? clip : out.toUtf8();
}

// A clip that is UTF-8 is searched for the characters of the find text, letter case folded
// unless it counts. One that is not is searched for the text's bytes in Windows-1252, only
// A-Z folded; where the replace text has no bytes there the clip becomes UTF-8 first, and a
// result that would read as other characters is made UTF-8. No match: the clip as it was.
QByteArray Model(const QByteArray& clip, const QString& find, const QString& by, bool matchCase,
                 bool all) {
    if (find.isEmpty())
        return clip;
    if (IsUtf8(clip))
        return ModelUtf8(clip, find, by, matchCase, all);
    const std::optional<QByteArray> needle = ToCp1252(find), bytes = ToCp1252(by);
    if (!needle)
        return clip;
    const auto same = [&](char a, char b) {
        const auto fold = [&](char c) {
            return !matchCase && c >= 'A' && c <= 'Z' ? char(c + 32) : c;
        };
        return fold(a) == fold(b);
    };
    if (ModelReplace(clip, *needle, QByteArray("\x01\x02"), false, same) == clip)
        return clip;
    if (!bytes)
        return ModelUtf8(FromCp1252(clip).toUtf8(), find, by, matchCase, all);
    const QByteArray out = ModelReplace(clip, *needle, *bytes, all, same);
    return IsUtf8(out) ? FromCp1252(out).toUtf8() : out;
}
} // namespace

class TestFindReplace : public QObject {
    Q_OBJECT
private slots:
    void replaceFollowsTheRules();
    void replaceExamples_data();
    void replaceExamples();
    void findSteps_data();
    void findSteps();
    void replaceInTheList();
};

void TestFindReplace::replaceFollowsTheRules() {
    QRandomGenerator random(11);
    const QStringList units = {"a", "b", "A", "B", " ", "x", "\r", "\n", "Z", "z", "@",
                               "[", "`", "{", "é", "É", "€", "ß",  "Ω",  "Ã", "©"};
    auto text = [&](int max) {
        QString t;
        for (int n = random.bounded(max + 1); n > 0; --n)
            t += units.at(random.bounded(int(units.size())));
        return t;
    };
    int singleByte = 0;
    for (int round = 0; round < 20000; ++round) {
        // Half the clips in the old single-byte code (where it has the characters).
        const QString shown = text(30);
        const std::optional<QByteArray> old = ToCp1252(shown);
        const QByteArray clip = random.bounded(2) && old ? *old : shown.toUtf8();
        singleByte += !IsUtf8(clip);
        const QString find = text(3), by = text(3);
        const bool matchCase = random.bounded(2), all = random.bounded(2);
        QByteArray replaced = clip;
        const TextSearch::TReplacer replacer(find, by, matchCase);
        replacer.Apply(replaced, all);
        const QByteArray expected = Model(clip, find, by, matchCase, all);
        const bool found = Model(clip, find, "\u0001", matchCase, false) != clip;
        if (replaced != expected || replacer.Finds(clip) != found) {
            qWarning() << clip << find << by << matchCase << all;
            QCOMPARE(replaced, expected);
            QCOMPARE(replacer.Finds(clip), found);
        }
    }
    QVERIFY2(singleByte > 3000, qPrintable(QString::number(singleByte)));
}

void TestFindReplace::replaceExamples_data() {
    QTest::addColumn<QByteArray>("clip");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("by");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<QByteArray>("all");
    QTest::newRow("banana") << QByteArray("banana") << "a"
                            << "ab" << true << QByteArray("babnabnab");
    QTest::newRow("abab") << QByteArray("abab") << "ab"
                          << "a" << true << QByteArray("aa");
    QTest::newRow("XxX, case ignored") << QByteArray("XxX") << "x"
                                       << "y" << false << QByteArray("yyy");
    QTest::newRow("XxX, case counts") << QByteArray("XxX") << "x"
                                      << "y" << true << QByteArray("XyX");
    QTest::newRow("other letters fold in UTF-8")
        << QString::fromUtf8("Ärger und ärger").toUtf8() << QString::fromUtf8("ÄRGER") << "Mut"
        << false << QByteArray("Mut und Mut");
    QTest::newRow("never inside a character") << QString::fromUtf8("é e").toUtf8() << "e"
                                              << "E" << true << QString::fromUtf8("é E").toUtf8();
    QTest::newRow("bytes that are not UTF-8 stay") << QByteArray("caf\xe9 x \x80") << "X"
                                                   << "y" << false << QByteArray("caf\xe9 y \x80");
}

void TestFindReplace::replaceExamples() {
    QFETCH(QByteArray, clip);
    QFETCH(QString, find);
    QFETCH(QString, by);
    QFETCH(bool, matchCase);
    QFETCH(QByteArray, all);
    QByteArray text = clip;
    TextSearch::TReplacer(find, by, matchCase).Apply(text, true);
    QCOMPARE(text, all);
}

void TestFindReplace::findSteps_data() {
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("found"); // rows in turn; -1 for the not-found message
    QTest::newRow("rows 3, 7 and 9, then not found") << 0 << "clip" << QList<int>{3, 7, 9, -1};
    QTest::newRow("letter case counts") << 0 << "CLIP" << QList<int>{-1};
    QTest::newRow("from no current row: row 0 too") << -1 << "clip" << QList<int>{0, 3};
    QTest::newRow("on the last row: not found") << 9 << "clip" << QList<int>{-1};
    QTest::newRow("empty text: not found") << 0 << "" << QList<int>{-1};
    QTest::newRow("an old single-byte clip, found by what it shows")
        << 0 << QString::fromUtf8("café") << QList<int>{5, -1};
}

void TestFindReplace::findSteps() {
    QFETCH(int, current);
    QFETCH(QString, text);
    QFETCH(QList<int>, found);
    TFormFixture f;
    f.Settings.Rows = 10;
    auto& form = f.Create();
    for (int r : {0, 3, 7})
        form.SetClipAt(r, "a clip " + QByteArray::number(r));
    form.SetClipAt(9, "a clip at the end");
    form.SetClipAt(5, "caf\xe9 au lait");
    form.CurrentRow = current;
    form.Find1->trigger();
    QVERIFY(form.FindDialog1->isVisible());
    form.FindDialog1->edtFind->setText(text);
    for (int row : found) {
        f.Prompts.Shown.clear();
        emit form.FindDialog1->FindNext();
        if (row < 0) {
            QCOMPARE(f.Prompts.Shown.size(), 1);
            QCOMPARE(f.Prompts.Shown[0].Text, "\"" + text + "\" could not be found.");
        } else {
            QVERIFY(f.Prompts.Shown.isEmpty());
            QCOMPARE(form.CurrentRow, row);
            QCOMPARE(form.StringGrid1->Selection().Top, row);
        }
    }
}

void TestFindReplace::replaceInTheList() {
    TFormFixture f;
    f.Settings.Rows = 8;
    auto& form = f.Create();
    for (int r = 0; r < 8; ++r)
        form.SetClipAt(r, "banana");
    form.ListChanged = false;
    form.StringGrid1->Modified = false;
    form.CurrentRow = 5;
    form.FindandReplace1->trigger();
    form.ReplaceDialog1->edtFind->setText("a");
    form.ReplaceDialog1->edtReplace->setText("ab");
    emit form.ReplaceDialog1->Replace(false);
    emit form.ReplaceDialog1->Replace(false); // starts again at the start of the row
    QCOMPARE(form.ClipAt(5), QByteArray("babbnana"));
    QCOMPARE(form.CurrentRow, 5);
    emit form.ReplaceDialog1->Replace(true);
    QCOMPARE(f.Clips(8), (Texts{"banana", "banana", "banana", "banana", "banana", "babbbnabnab",
                                "babnabnab", "babnabnab"}));
    QCOMPARE(form.CurrentRow, 5);
    QVERIFY(form.ListChanged); // to be saved like any change
    // Find Next in this dialog follows its Match case box.
    form.ReplaceDialog1->edtFind->setText("BABNAB");
    form.ReplaceDialog1->chkMatchCase->setChecked(false);
    emit form.ReplaceDialog1->FindNext();
    QCOMPARE(form.CurrentRow, 6);
    form.ReplaceDialog1->chkMatchCase->setChecked(true);
    emit form.ReplaceDialog1->FindNext();
    QCOMPARE(f.Prompts.Shown.last().Text, "\"BABNAB\" could not be found.");
    form.ReplaceDialog1->edtFind->setText("zzz");
    emit form.ReplaceDialog1->Replace(true);
    QCOMPARE(f.Prompts.Shown.last().Text, "\"zzz\" could not be found.");
    QCOMPARE(form.ReplaceDialog1->edtFind->maxLength(), 255);
}

QTEST_MAIN(TestFindReplace)
#include "tst_FindReplace.moc"
