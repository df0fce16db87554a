#include "core/config/IniFile.h"
#include "core/lang/LanguageText.h"
#include "fakes/TestDir.h"

#include <QtTest>

using namespace LanguageText;

class TestLanguageText : public QObject {
    Q_OBJECT
private slots:
    void splitItems_data();
    void splitItems();
    void separator_data();
    void separator();
    void sameName();
    void pathListShape();
    void messages_data();
    void messages();
    void languageFiles();
    void shippedFilesAreComplete_data();
    void shippedFilesAreComplete();
};

void TestLanguageText::splitItems_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("two words") << " Upward , Downward "
                               << "," << QStringList{"Upward", "Downward"};
    QTest::newRow("empty item between") << "a,,b"
                                        << "," << QStringList{"a", "", "b"};
    QTest::newRow("separator at the end adds nothing") << "a,b,"
                                                       << "," << QStringList{"a", "b"};
    QTest::newRow("no separator: one item") << "single"
                                            << "," << QStringList{"single"};
    QTest::newRow("longer separator") << "x; y;z"
                                      << "; " << QStringList{"x", "y;z"};
    QTest::newRow("empty separator never splits") << "a,b"
                                                  << "" << QStringList{"a,b"};
    QTest::newRow("only blanks") << "  "
                                 << "," << QStringList{};
}

void TestLanguageText::splitItems() {
    QFETCH(QString, value);
    QFETCH(QString, separator);
    QFETCH(QStringList, items);
    QCOMPARE(SplitItems(value, separator), items);
}

void TestLanguageText::separator_data() {
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("stored");
    QTest::newRow("empty") << ""
                           << ",";
    QTest::newRow("blanks and controls") << " \t\r\n"
                                         << ",";
    QTest::newRow("kept with its blanks") << " ; "
                                          << " ; ";
    QTest::newRow("plain") << "|"
                           << "|";
}

void TestLanguageText::separator() {
    QFETCH(QString, given);
    QFETCH(QString, stored);
    QCOMPARE(NormalizeSeparator(given), stored);
}

void TestLanguageText::sameName() {
    QVERIFY(SameName("QuilleryMainForm", "quillerymainform"));
    QVERIFY(SameName("APpendMode1", "appendmode1"));
    QVERIFY(!SameName(QString::fromUtf8("Ä1"), QString::fromUtf8("ä1"))); // only a-z fold
    QVERIFY(!SameName("Exit1", "Exit"));
}

void TestLanguageText::pathListShape() {
    QStringList list = MainFormProperties();
    QCOMPARE(list.size(), 131);
    QCOMPARE(list.count(QString()), 14);
    QCOMPARE(list.first(), "QuilleryMainForm.spdbtnOpen.Hint");
    QCOMPARE(list.at(9), "QuilleryMainForm.MainMenu1.File1.Caption");
    QCOMPARE(list.at(46), "QuilleryMainForm.About1.Caption");
    QCOMPARE(list.at(47), QString());
    QCOMPARE(list.at(119), "AboutBox.Caption");
    QCOMPARE(list.at(121), "QuilleryMainForm.RollUp1.Caption");
    QCOMPARE(list.last(), "frmConfig.bitbtnCancel.Caption");
    QVERIFY(list.contains("chkTray.Caption"));
    QVERIFY(list.contains("frmConfig.frmConfig.gbProgOpts.Caption"));
    QVERIFY(list.contains("frmConfig.rgPowerPaste.Items"));
    QCOMPARE(list.removeDuplicates(), 13); // only the empty separators repeat
    // No two empty entries in a row, and none at either end.
    for (int i = 1; i < MainFormProperties().size(); ++i)
        QVERIFY(!(MainFormProperties()[i].isEmpty() && MainFormProperties()[i - 1].isEmpty()));
}

void TestLanguageText::messages_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("translated") << QByteArray("[Messages]\nConfirmation=Bitte bestätigen\n")
                                << "Confirmation" << QString::fromUtf8("Bitte bestätigen");
    QTest::newRow("key in other case")
        << QByteArray("[messages]\nconfirmation=yes\n") << "Confirmation"
        << "yes";
    QTest::newRow("missing key: English") << QByteArray("[Messages]\nOther=x\n") << "Confirmation"
                                          << "Confirmation";
    QTest::newRow("present but empty: empty")
        << QByteArray("[Messages]\nConfirmation=\n") << "Confirmation"
        << "";
    QTest::newRow("wrong section")
        << QByteArray("[Translations]\nConfirmation=x\n") << "Confirmation"
        << "Confirmation";
    QTest::newRow("filter key with bars")
        << QByteArray("[Messages]\nText files (*.txt)|*.TXT|All files (*.*)|*.*=T|*.TXT\n")
        << "Text files (*.txt)|*.TXT|All files (*.*)|*.*"
        << "T|*.TXT";
    QTest::newRow("cut to 2047 characters")
        << QByteArray("[Messages]\nConfirmation=" + QByteArray(3000, 'c') + "\n") << "Confirmation"
        << QString(2047, 'c');
}

void TestLanguageText::messages() {
    QFETCH(QByteArray, file);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    TTestDir dir;
    TTestDir::Write(dir.File("x.lng"), file);
    QCOMPARE(MessageText(dir.File("x.lng"), key), expected);
    QCOMPARE(MessageText(dir.File("missing.lng"), key), key);
    QCOMPARE(MessageText(QString(), key), key);
}

void TestLanguageText::languageFiles() {
    TTestDir dir;
    for (const char* name : {"b.lng", "A.LNG", "pt.BR.lng", "notes.txt", "Upper.Lng"})
        TTestDir::Write(dir.File(name), "");
    QCOMPARE(LanguageNames(dir.Path()), (QStringList{"A", "b", "pt.BR", "Upper"}));
    QCOMPARE(LanguageFile(dir.Path(), "A"), dir.File("A.LNG"));
    QCOMPARE(LanguageFile(dir.Path(), "pt.BR"), dir.File("pt.BR.lng"));
    QCOMPARE(LanguageFile(dir.Path(), "English"),
             dir.File("English.lng")); // missing: the plain name
}

void TestLanguageText::shippedFilesAreComplete_data() {
    QTest::addColumn<QString>("language");
    for (const char* l : {"English", "German", "French", "Spanish"})
        QTest::newRow(l) << QString(l);
}

void TestLanguageText::shippedFilesAreComplete() {
    QFETCH(QString, language);
    const QString file = QStringLiteral(QUILLERY_BIN_DIR "/") + language + ".lng";
    QVERIFY2(QFile::exists(file), "the build puts the language files beside the program");
    QCOMPARE(TTestDir::Read(file),
             TTestDir::Read(QUILLERY_SOURCE_DIR "/languages/" + language + ".lng"));
    const TIniFile ini(file);
    QStringList paths = MainFormProperties();
    paths.removeAll(QString());
    QStringList keys = ini.Keys("Translations");
    QCOMPARE(keys, paths);
    QCOMPARE(ini.Keys("Messages"), MessageKeys());
    for (const QString& path : paths) {
        const QString value = ini.ReadString("Translations", path, "");
        QVERIFY2(!value.isEmpty(), qPrintable(path));
        QVERIFY2(!value.contains("Windows"), qPrintable(path)); // a Linux desktop's words
    }
    for (const QString& key : MessageKeys())
        QVERIFY2(!ini.ReadString("Messages", key, "").isEmpty(), qPrintable(key));
    QCOMPARE(
        SplitItems(ini.ReadString("Translations", "frmConfig.rgPowerPaste.Items", ""), ",").size(),
        2);
    for (const char* filter :
         {"QuilleryMainForm.OpenDialog1.Filter", "QuilleryMainForm.SaveDialog1.Filter"})
        QVERIFY(ini.ReadString("Translations", filter, "").endsWith("|*.clp"));
    QVERIFY(
        ini.ReadString("Messages", "Text files (*.txt)|*.TXT|All files (*.*)|*.*", "").count('|') ==
        3);
    if (language == "English") {
        for (const QString& key : MessageKeys())
            QCOMPARE(ini.ReadString("Messages", key, ""), key);
        QCOMPARE(ini.ReadString("Translations", "QuilleryMainForm.Exit1.Caption", ""), "E&xit");
    }
}

QTEST_GUILESS_MAIN(TestLanguageText)
#include "tst_LanguageText.moc"
