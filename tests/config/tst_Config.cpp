#include "core/Errors.h"
#include "core/config/Config.h"
#include "core/config/IniFile.h"
#include "fakes/TestDir.h"

#include <QtTest>

namespace {
// Every field of the record that the file stores, for whole-record comparisons.
QStringList Fields(const TConfig& c) {
    return {c.LastDir,
            c.DefaultFile,
            c.Language,
            c.Font,
            QString::number(c.FontColor),
            QString::number(c.FontStyle),
            QString::number(c.FontSize),
            QString::number(c.PowerPaste),
            QString::number(c.Rows),
            QString::number(c.Height),
            QString::number(c.Width),
            QString::number(c.Left),
            QString::number(c.Top),
            c.RestoreHK,
            c.SPasteHK,
            QString("%1%2%3%4%5%6%7%8%9")
                .arg(c.MinCopy)
                .arg(c.Associate)
                .arg(c.RowPaste)
                .arg(c.Beep)
                .arg(c.GridEdit)
                .arg(c.OpenLast)
                .arg(c.ClearFile)
                .arg(c.Splash)
                .arg(c.PromptSave),
            QString("%1%2%3%4%5%6%7")
                .arg(c.AutoSave)
                .arg(c.OnTop)
                .arg(c.NoArc)
                .arg(c.StartUp)
                .arg(c.StartMin)
                .arg(c.ShowGridHints)
                .arg(c.Tray)};
}
} // namespace

class TestConfig : public QObject {
    Q_OBJECT
private slots:
    void missingFileGivesDefaults();
    void firstSaveWritesBothSectionsInOrder();
    void edgeValues();
    void rowsBelowOneIsNoRowCount_data();
    void rowsBelowOneIsNoRowCount();
    void saveRewritesInPlace();
    void roundTrip();
    void startMinIsSavedFromItsOwnField();
    void lastDirWrittenDirectlySurvivesSave();
    void unwritableFileRaisesWithPath();
};

void TestConfig::missingFileGivesDefaults() {
    TTestDir dir;
    TConfig c(dir.Path());
    c.Rows = 99;
    c.LoadFromIni();
    const TConfig fresh(dir.Path());
    QCOMPARE(Fields(c), Fields(fresh));
    QCOMPARE(c.Rows, 25);
    QCOMPARE(c.LastDir + "/", dir.Path());
    QCOMPARE(c.Language, "English");
    QVERIFY(!c.Minimized);
    QVERIFY(!QFile::exists(c.IniFileName()));
}

void TestConfig::firstSaveWritesBothSectionsInOrder() {
    TTestDir dir;
    TConfig c(dir.Path());
    c.LoadFromIni();
    c.SaveToIni();
    QCOMPARE(TTestDir::Read(dir.File("Quillery.Ini")), TTestDir::Golden("Quillery.defaults.Ini"));
}

void TestConfig::edgeValues() {
    TTestDir dir;
    TTestDir::Write(dir.File("Quillery.Ini"), TTestDir::Golden("Quillery.edge.Ini"));
    TConfig c(dir.Path());
    c.LoadFromIni();
    QCOMPARE(c.Rows, 30);
    QVERIFY(c.Tray);
    QCOMPARE(c.RestoreHK, QChar('K'));
    QCOMPARE(c.SPasteHK, QChar('V')); // present but empty keeps the default letter
    QVERIFY(!c.Beep);                 // not a number: the default
    QCOMPARE(c.FontSize, 12);
    QVERIFY(c.StartMin);
    QVERIFY(c.Minimized);
    QCOMPARE(c.PowerPaste, quint16(1)); // low 16 bits of 65537
    QCOMPARE(c.FontColor, 0);
    QCOMPARE(c.Language, "Deutsch");
    QCOMPARE(c.LastDir, "/home/user/lists");
    QCOMPARE(c.Height, 400);
    QCOMPARE(c.Width, 331);
}

void TestConfig::rowsBelowOneIsNoRowCount_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("rows");
    QTest::newRow("0") << QByteArray("0") << 25;
    QTest::newRow("negative") << QByteArray("-5") << 25;
    QTest::newRow("1") << QByteArray("1") << 1;
}

void TestConfig::rowsBelowOneIsNoRowCount() {
    QFETCH(QByteArray, value);
    QFETCH(int, rows);
    TTestDir dir;
    TTestDir::Write(dir.File("Quillery.Ini"), "[Options]\nRows=" + value + "\n");
    TConfig c(dir.Path());
    c.LoadFromIni();
    QCOMPARE(c.Rows, rows);
}

void TestConfig::saveRewritesInPlace() {
    TTestDir dir;
    TTestDir::Write(dir.File("Quillery.Ini"), TTestDir::Golden("Quillery.edge.Ini"));
    TConfig c(dir.Path());
    c.LoadFromIni();
    c.SaveToIni();
    const QByteArray saved = TTestDir::Read(dir.File("Quillery.Ini"));
    QVERIFY(saved.startsWith("[options]\r\nRows=30\r\nTray=1\r\nRestoreHK=K\r\nSPasteHK=V\r\n"));
    QVERIFY(saved.contains("; a comment the program must keep\r\n"));
    QVERIFY(saved.contains("LastDir=/home/user/lists\r\n"));
    QCOMPARE(saved.count("[DEFAULTS]"), 1);
    QCOMPARE(saved.count("Rows="), 1);
    TConfig again(dir.Path());
    again.LoadFromIni();
    QCOMPARE(Fields(again), Fields(c));
}

void TestConfig::roundTrip() {
    TTestDir dir;
    TConfig c(dir.Path());
    c.DefaultFile = dir.File("my\nlist.clp "); // kept whole, line break and blank too
    c.Language = QString::fromUtf8("Español");
    c.Font = "DejaVu Sans";
    c.FontColor = 0x00336699;
    c.FontStyle = 5;
    c.FontSize = 14;
    c.PowerPaste = 0;
    c.Rows = 100;
    c.Height = 500;
    c.Width = 400;
    c.Left = -20;
    c.Top = 0;
    c.RestoreHK = 'k';
    c.SPasteHK = '7';
    for (bool* flag : {&c.MinCopy, &c.Associate, &c.RowPaste, &c.Beep, &c.GridEdit, &c.OpenLast,
                       &c.AutoSave, &c.OnTop, &c.NoArc, &c.StartUp, &c.StartMin})
        *flag = true;
    for (bool* flag : {&c.ClearFile, &c.Splash, &c.PromptSave, &c.ShowGridHints, &c.Tray})
        *flag = false;
    c.SaveToIni();
    TConfig loaded(dir.Path());
    loaded.LoadFromIni();
    QCOMPARE(Fields(loaded), Fields(c));
}

void TestConfig::startMinIsSavedFromItsOwnField() {
    TTestDir dir;
    TTestDir::Write(dir.File("Quillery.Ini"), "[Options]\nStartMin=1\n");
    TConfig c(dir.Path());
    c.LoadFromIni();
    QVERIFY(c.Minimized);
    c.Minimized = false; // the window was restored
    c.SaveToIni();
    QVERIFY(TIniFile(c.IniFileName()).ReadBool("Options", "StartMin", false));
}

void TestConfig::lastDirWrittenDirectlySurvivesSave() {
    TTestDir dir;
    TConfig c(dir.Path());
    c.LoadFromIni();
    c.WriteLastDir("/srv/new\nlists");
    QCOMPARE(c.LastDir + "/", dir.Path()); // the record is not changed
    c.SaveToIni();
    TConfig again(dir.Path());
    again.LoadFromIni();
    QCOMPARE(again.LastDir, "/srv/new\nlists");
}

void TestConfig::unwritableFileRaisesWithPath() {
    TTestDir dir;
    TTestDir::Write(dir.File("blocker"), "a file, not a folder");
    TConfig c(dir.File("blocker") + "/");
    try {
        c.SaveToIni();
        QFAIL("saving must fail");
    } catch (const EQuillery& e) {
        QCOMPARE(e.Message(), "Unable to write to " + c.IniFileName());
    }
}

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_Config.moc"
