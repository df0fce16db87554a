#include "dialogs/FindDialogs.h"
#include "fakes/FormFixture.h"
#include "grid/TextSearch.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QtTest>

using Texts = QList<QByteArray>;

namespace {
// The replace rules as stated, byte by byte: a match at p when the bytes from p on begin with
// the find text, A-Z and a-z matching each other unless case counts; after a replacement
// the search goes on after the inserted text.
QByteArray ModelReplace(QByteArray text, const QByteArray& find, const QByteArray& by,
                        bool matchCase, bool all) {
    auto same = [&](char a, char b) {
        if (!matchCase && a >= 'A' && a <= 'Z')
            a = char(a - 'A' + 'a');
        if (!matchCase && b >= 'A' && b <= 'Z')
            b = char(b - 'A' + 'a');
        return a == b;
    };
    if (find.isEmpty())
        return text;
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
    auto word = [&](int max) {
        QByteArray w(random.bounded(max + 1), Qt::Uninitialized);
        for (char& c : w)
            c = "abAB x\r\nZz@[`{\xc1"[random.bounded(14)];
        return w;
    };
    for (int round = 0; round < 20000; ++round) {
        const QByteArray text = word(30), find = word(3), by = word(3);
        const bool matchCase = random.bounded(2), all = random.bounded(2);
        QByteArray clip = text;
        TextSearch::TReplacer(QString::fromUtf8(find), QString::fromUtf8(by), matchCase)
            .Apply(clip, all);
        const QByteArray expected = ModelReplace(text, find, by, matchCase, all);
        if (clip != expected) {
            qWarning() << text << find << by << matchCase << all;
            QCOMPARE(clip, expected);
        }
    }
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
    form.ReplaceDialog1->edtFind->setText("zzz");
    emit form.ReplaceDialog1->Replace(true);
    QCOMPARE(f.Prompts.Shown.last().Text, "\"zzz\" could not be found.");
    QCOMPARE(form.ReplaceDialog1->edtFind->maxLength(), 255);
}

QTEST_MAIN(TestFindReplace)
#include "tst_FindReplace.moc"
