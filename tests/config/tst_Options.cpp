#include "core/config/IniFile.h"
#include "fakes/FormFixture.h"
#include "gui/config/FontSetting.h"
#include "gui/config/fConfig.h"
#include "gui/dialogs/RadioGroup.h"
#include "gui/grid/ZoomView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

namespace {

// Every field of the record, to tell whether anything changed.
QStringList Snapshot(const TConfig& c) {
    QStringList s = {c.LastDir, c.DefaultFile,        c.Language,
                     c.Font,    QString(c.RestoreHK), QString(c.SPasteHK)};
    for (qint64 n : {qint64(c.FontColor), qint64(c.FontStyle), qint64(c.FontSize),
                     qint64(c.PowerPaste), qint64(c.Rows)})
        s << QString::number(n);
    for (bool b : {c.MinCopy, c.Associate, c.RowPaste, c.Beep, c.GridEdit, c.OpenLast, c.ClearFile,
                   c.Splash, c.PromptSave, c.AutoSave, c.OnTop, c.NoArc, c.StartUp, c.StartMin,
                   c.ShowGridHints, c.Tray})
        s << QString::number(b);
    return s;
}

// The check boxes that OK takes back, with the setting each one shows.
QList<std::pair<QCheckBox*, bool*>> TakenBoxes(TfrmConfig& d, TConfig& c) {
    return {{d.chkTray, &c.Tray},
            {d.chkNoArc, &c.NoArc},
            {d.chkOnTop, &c.OnTop},
            {d.chkClearFile, &c.ClearFile},
            {d.chkGridEdit, &c.GridEdit},
            {d.chkBeep, &c.Beep},
            {d.chkShowGridHints, &c.ShowGridHints},
            {d.chkRowPaste, &c.RowPaste},
            {d.chkMin, &c.StartMin},
            {d.chkSplash, &c.Splash},
            {d.chkOpenLast, &c.OpenLast},
            {d.chkPrompt, &c.PromptSave},
            {d.chkAutoSave, &c.AutoSave}};
}

// A fixture whose desktop files go to its own folders.
struct TOptionsFixture : TFormFixture {
    TOptionsFixture() {
        qputenv("XDG_DATA_HOME", Dir.File("data").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", Dir.File("config").toLocal8Bit());
    }
    QString Autostart() const { return Dir.File("config/autostart/Quillery.desktop"); }
    QString Association() const { return Dir.File("data/applications/Quillery.desktop"); }
};

} // namespace

class TestOptions : public QObject {
    Q_OBJECT
private slots:
    void okTakesEveryControl();
    void hotKeyNotice_data();
    void hotKeyNotice();
    void trayNotice();
    void cancelAndCloseChangeNothing();
    void rows_data();
    void rows();
    void lowerRowsAsksBeforeClipsGo_data();
    void lowerRowsAsksBeforeClipsGo();
    void editsSurviveMinimizing();
    void powerPasteByKeys();
    void fontDialog();
    void desktopEntriesFollowEveryOk();
    void failingStepsAreReported();
    void defaultFileAndBrowse();
    void openedFromTheMenu();
};

// Random settings, random answers in the controls: after OK each setting is what its control
// showed, the file holds the same, and the archiving state went through the tray command.
void TestOptions::okTakesEveryControl() {
    TOptionsFixture f;
    auto& form = f.Create();
    auto* random = QRandomGenerator::global();
    for (int round = 0; round < 150; ++round) {
        TfrmConfig dialog(form);
        for (const auto& [box, setting] : TakenBoxes(dialog, f.Settings))
            *setting = random->bounded(2);
        f.Settings.MinCopy = random->bounded(2);
        form.ShowArchivingState();
        const bool minCopy = f.Settings.MinCopy;
        dialog.RefreshOptions(); // as showing it does
        QCOMPARE(dialog.chkMinCopy->isChecked(), minCopy);
        QMap<bool*, bool> wanted;
        for (const auto& [box, setting] : TakenBoxes(dialog, f.Settings)) {
            QCOMPARE(box->isChecked(), *setting);
            box->setChecked(random->bounded(2));
            wanted[setting] = box->isChecked();
        }
        dialog.chkMinCopy->setChecked(!minCopy);
        const int direction = random->bounded(2);
        dialog.rgPowerPaste->SetItemIndex(direction);
        dialog.bitbtnOKClick();

        for (auto it = wanted.begin(); it != wanted.end(); ++it)
            QCOMPARE(*it.key(), it.value());
        QCOMPARE(f.Settings.MinCopy, minCopy);
        QCOMPARE(f.Settings.PowerPaste, direction);
        QCOMPARE(form.SuspendClipArchiving2->text(),
                 f.Settings.NoArc ? "Re&sume Clip Archiving" : "&Suspend Clip Archiving");
        QCOMPARE(form.StayOnTop1->isChecked(), f.Settings.OnTop);
        QCOMPARE(bool(form.StringGrid1->Options() & goEditing), f.Settings.GridEdit);
        TConfig stored(f.Dir.Path());
        stored.LoadFromIni();
        stored.Minimized = f.Settings.Minimized;
        QCOMPARE(Snapshot(stored), Snapshot(f.Settings));
    }
    QVERIFY(f.Prompts.Shown.size() > 0); // row paste changed now and then: its notice
}

void TestOptions::hotKeyNotice_data() {
    QTest::addColumn<QString>("restore");
    QTest::addColumn<QString>("series");
    QTest::addColumn<bool>("rowPaste");
    QTest::addColumn<bool>("notice");
    QTest::addColumn<QString>("stored");
    QTest::newRow("unchanged") << "M"
                               << "V" << false << false << "MV";
    QTest::newRow("restore M to K") << "K"
                                    << "V" << false << true << "KV";
    QTest::newRow("case counts and is kept") << "m"
                                             << "V" << false << true << "mV";
    QTest::newRow("series emptied") << "M"
                                    << "" << false << true << "MV";
    QTest::newRow("both emptied: once") << ""
                                        << "" << false << true << "MV";
    QTest::newRow("both changed: once") << "A"
                                        << "B" << true << true << "AB";
    QTest::newRow("row paste only") << "M"
                                    << "V" << true << true << "MV";
    QTest::newRow("a digit is not refused") << "7"
                                            << "V" << false << true << "7V";
}

void TestOptions::hotKeyNotice() {
    QFETCH(QString, restore);
    QFETCH(QString, series);
    QFETCH(bool, rowPaste);
    QFETCH(bool, notice);
    QFETCH(QString, stored);
    TOptionsFixture f;
    auto& form = f.Create();
    TfrmConfig dialog(form);
    dialog.edtRestoreHK->setText(restore);
    dialog.edtSPasteHK->setText(series);
    dialog.chkRowPaste->setChecked(rowPaste);
    dialog.bitbtnOKClick();
    const TScriptedPrompts::TShown shown = {
        "message", {}, "Hotkeys will be reassigned on next program start."};
    QCOMPARE(f.Prompts.Shown.count(shown), notice ? 1 : 0);
    QCOMPARE(QString(f.Settings.RestoreHK) + f.Settings.SPasteHK, stored);
    TIniFile ini(f.Settings.IniFileName());
    QCOMPARE(ini.ReadString("Options", "RestoreHK", {}) + ini.ReadString("Options", "SPasteHK", {}),
             stored);
    // The keys in force stay until the next start.
    QCOMPARE(f.HotKeys.Registered.values(), QList<QChar>({'M', 'V'}));
}

void TestOptions::trayNotice() {
    TOptionsFixture f;
    f.Settings.Tray = true;
    auto& form = f.Create();
    TfrmConfig dialog(form);
    dialog.RefreshOptions();
    QVERIFY(f.Prompts.Shown.isEmpty()); // opened ticked: nothing
    QTest::mouseClick(dialog.chkTray, Qt::LeftButton);
    QVERIFY(!dialog.chkTray->isChecked());
    QVERIFY(f.Prompts.Shown.isEmpty()); // cleared: nothing
    QTest::mouseClick(dialog.chkTray, Qt::LeftButton);
    QCOMPARE(f.Prompts.Shown.size(), 1);
    QVERIFY(f.Prompts.Shown[0].Text.startsWith("Note that if you even uninstall this program"));
    dialog.chkTray->click();
    dialog.chkTray->click();
    QCOMPARE(f.Prompts.Shown.size(), 2); // each tick
}

void TestOptions::cancelAndCloseChangeNothing() {
    for (const bool byCancel : {true, false}) {
        TOptionsFixture f;
        auto& form = f.Create();
        const QStringList before = Snapshot(f.Settings);
        const int rows = form.StringGrid1->RowCount();
        TfrmConfig dialog(form);
        for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
            box->click();
        dialog.edtRows->setValue(7);
        dialog.edtRestoreHK->setText("Q");
        dialog.cedtDefaultFile->setText(f.Dir.File("other.clp"));
        dialog.rgPowerPaste->SetItemIndex(0);
        f.Prompts.Fonts.enqueue({{}, TFontChoice{QFont("Courier", 20), 0xFF}});
        dialog.spdbtnFontClick();
        dialog.show();
        if (byCancel)
            QTest::mouseClick(dialog.bitbtnCancel, Qt::LeftButton);
        else
            dialog.close();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(Snapshot(f.Settings), before);
        QVERIFY(!QFile::exists(f.Settings.IniFileName()));
        QVERIFY(!QFile::exists(f.Autostart()));
        QCOMPARE(form.StringGrid1->RowCount(), rows);
    }
}

void TestOptions::rows_data() {
    QTest::addColumn<QString>("typed"); // keys typed into the box; "up" for the spin button
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("gridRows");
    QTest::newRow("not edited") << "" << 40 << 25;
    QTest::newRow("typed") << "12" << 12 << 12;
    QTest::newRow("spin button") << "up" << 41 << 41;
    QTest::newRow("typed back to the same") << "40" << 40 << 40;
    QTest::newRow("zero refused: nothing changes") << "0" << 40 << 25;
    QTest::newRow("minus refused") << "-5" << 5 << 5;
    QTest::newRow("letters refused: nothing changes") << "ab" << 40 << 25;
}

// The grid takes the number only when the user edited the box; the box takes only whole
// numbers from 1 (what cannot be typed is refused, an empty box keeps the number shown).
void TestOptions::rows() {
    QFETCH(QString, typed);
    QFETCH(int, stored);
    QFETCH(int, gridRows);
    TOptionsFixture f;
    auto& form = f.Create();
    f.Settings.Rows = 40; // set by hand after the start: the grid still has 25
    TfrmConfig dialog(form);
    dialog.show();
    if (typed == "up") {
        dialog.edtRows->stepUp();
    } else if (!typed.isEmpty()) {
        dialog.edtRows->selectAll();
        QTest::keyClick(dialog.edtRows, Qt::Key_Delete);
        QTest::keyClicks(dialog.edtRows, typed);
    }
    dialog.bitbtnOKClick();
    QCOMPARE(f.Settings.Rows, stored);
    QCOMPARE(form.StringGrid1->RowCount(), gridRows);
    QVERIFY(!dialog.RowsModified);
}

void TestOptions::lowerRowsAsksBeforeClipsGo_data() {
    QTest::addColumn<int>("clips");  // copied before the dialog, into a list of 5 rows
    QTest::addColumn<int>("answer"); // 1 OK, 0 Cancel
    QTest::addColumn<int>("rows");   // the rows after OK
    QTest::addColumn<int>("questions");
    QTest::newRow("clips below: OK drops them") << 5 << 1 << 2 << 1;
    QTest::newRow("clips below: Cancel keeps rows and list") << 5 << 0 << 5 << 1;
    QTest::newRow("only empty rows below: no question") << 2 << 0 << 2 << 0;
}

void TestOptions::lowerRowsAsksBeforeClipsGo() {
    QFETCH(int, clips);
    QFETCH(int, answer);
    QFETCH(int, rows);
    QFETCH(int, questions);
    TOptionsFixture f;
    f.Settings.Rows = 5;
    auto& form = f.Create();
    for (int i = 0; i < clips; ++i)
        f.Clipboard.CopyFromOtherProgram("clip " + QByteArray::number(i));
    TfrmConfig dialog(form);
    dialog.show();
    dialog.edtRows->selectAll();
    QTest::keyClicks(dialog.edtRows, "2");
    f.Prompts.Answers.enqueue(answer ? TAnswer::Ok : TAnswer::Cancel);
    dialog.bitbtnOKClick();
    QCOMPARE(f.Prompts.Shown.size(), questions);
    if (questions)
        QVERIFY(f.Prompts.Shown[0].Text.contains(QString::number(clips - 2) + " clips"));
    QCOMPARE(f.Settings.Rows, rows);
    QCOMPARE(form.StringGrid1->RowCount(), rows);
    QCOMPARE(form.ClipAt(rows - 1), QByteArray("clip ") + QByteArray::number(clips - rows));
}

// Minimized and restored, the dialog keeps what the user has entered.
void TestOptions::editsSurviveMinimizing() {
    TOptionsFixture f;
    auto& form = f.Create();
    TfrmConfig dialog(form);
    dialog.show();
    dialog.chkBeep->setChecked(true);
    dialog.cedtDefaultFile->setText("typed.clp");
    dialog.showMinimized();
    dialog.hide();
    dialog.showNormal();
    QVERIFY(dialog.chkBeep->isChecked());
    QCOMPARE(dialog.cedtDefaultFile->text(), "typed.clp");
    // The built-in texts speak of a Linux desktop.
    for (const QWidget* w : dialog.findChildren<QWidget*>())
        QVERIFY2(!w->toolTip().contains("Windows"), qPrintable(w->toolTip()));
}

// Tab into Power Paste lands on the chosen button; the arrow keys move the choice.
void TestOptions::powerPasteByKeys() {
    TOptionsFixture f;
    f.Settings.PowerPaste = 1;
    auto& form = f.Create();
    TfrmConfig dialog(form);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.chkAutoSave->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    auto* chosen = qobject_cast<QRadioButton*>(QApplication::focusWidget());
    QVERIFY(chosen && chosen->isChecked());
    QCOMPARE(dialog.rgPowerPaste->ItemIndex(), 1);
    QTest::keyClick(chosen, Qt::Key_Up);
    QCOMPARE(dialog.rgPowerPaste->ItemIndex(), 0);
    QVERIFY(qobject_cast<QRadioButton*>(QApplication::focusWidget())->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(dialog.rgPowerPaste->ItemIndex(), 1);
}

void TestOptions::fontDialog() {
    TOptionsFixture f;
    f.Settings.Font = "DejaVu Sans";
    f.Settings.FontColor = qint32(0xFF000008); // a system colour
    auto& form = f.Create();
    TfrmConfig dialog(form);
    QCOMPARE(dialog.edtFont->text(), "DejaVu Sans");

    // Applied, then cancelled: the applied font stays.
    QFont serif("DejaVu Serif", 14);
    serif.setItalic(true);
    f.Prompts.Fonts.enqueue({{TFontChoice{serif, qint32(0xFF000008)}}, std::nullopt});
    dialog.spdbtnFontClick();
    QCOMPARE(dialog.edtFont->text(), "DejaVu Serif");
    QCOMPARE(f.Prompts.Shown.last().Caption, "&Color...");

    // Chosen, then cancelled: the earlier font stays.
    dialog.edtFont->setText("typed, never used");
    f.Prompts.Fonts.enqueue({});
    dialog.spdbtnFontClick();
    QCOMPARE(dialog.edtFont->text(), "DejaVu Serif");
    dialog.bitbtnOKClick();
    QCOMPARE(f.Settings.Font, "DejaVu Serif");
    QCOMPARE(f.Settings.FontStyle, 2);
    QCOMPARE(f.Settings.FontSize, 14);
    QCOMPARE(f.Settings.FontColor, qint32(0xFF000008));
    QCOMPARE(form.StringGrid1->font().family(), "DejaVu Serif");

    // Confirmed with every style and a colour.
    TfrmConfig again(form);
    QFont all("DejaVu Sans Mono", 11);
    all.setBold(true);
    all.setItalic(true);
    all.setUnderline(true);
    all.setStrikeOut(true);
    f.Prompts.Fonts.enqueue({{}, TFontChoice{all, 0x0000FF}});
    again.spdbtnFontClick();
    again.bitbtnOKClick();
    QCOMPARE(f.Settings.FontStyle, 15);
    QCOMPARE(f.Settings.FontSize, 11);
    QCOMPARE(f.Settings.FontColor, 0x0000FF);
    QCOMPARE(form.StringGrid1->palette().color(QPalette::Text), QColor(Qt::red));
    QCOMPARE(form.Memo1->font(), form.StringGrid1->font());
}

void TestOptions::desktopEntriesFollowEveryOk() {
    TOptionsFixture f;
    auto& form = f.Create();
    for (const bool on : {true, true, false, false}) {
        QFile::remove(f.Autostart()); // deleted by the user: made again by the next OK
        TfrmConfig dialog(form);
        dialog.chkStart->setChecked(on);
        dialog.chkAssoc->setChecked(on);
        dialog.bitbtnOKClick();
        QCOMPARE(QFile::exists(f.Autostart()), on);
        QCOMPARE(QFile::exists(f.Association()), on);
        QCOMPARE(f.Settings.StartUp, on);
        QCOMPARE(f.Settings.Associate, on);
    }
    // Cleared while another program has .clp: its default stays.
    TIniFile apps(f.Dir.File("config/mimeapps.list"));
    apps.WriteString("Default Applications", "application/x-quillery-clip-list", "other.desktop");
    apps.UpdateFile();
    TfrmConfig dialog(form);
    dialog.bitbtnOKClick();
    QCOMPARE(TIniFile(f.Dir.File("config/mimeapps.list"))
                 .ReadString("Default Applications", "application/x-quillery-clip-list", {}),
             "other.desktop");
    QVERIFY(f.Prompts.Shown.isEmpty());
}

void TestOptions::failingStepsAreReported() {
    // The autostart folder cannot be made: the "Exception" box, and OK goes on.
    {
        TOptionsFixture f;
        auto& form = f.Create();
        QDir().mkpath(f.Dir.File("config"));
        TTestDir::Write(f.Dir.File("config/autostart"), "a file in the way");
        f.Prompts.Answers.enqueue(TAnswer::Cancel);
        TfrmConfig dialog(form);
        dialog.show();
        dialog.chkStart->setChecked(true);
        dialog.chkBeep->setChecked(true);
        dialog.bitbtnOKClick();
        QCOMPARE(f.Prompts.Shown.size(), 1);
        QCOMPARE(f.Prompts.Shown[0].Kind, "ask");
        QCOMPARE(f.Prompts.Shown[0].Caption, "Exception");
        QVERIFY(TIniFile(f.Settings.IniFileName()).ReadBool("Options", "Beep", false));
        QVERIFY(!dialog.isVisible());
    }
    // The association cannot be written: reported, the later steps do not run, it closes.
    {
        TOptionsFixture f;
        auto& form = f.Create();
        TTestDir::Write(f.Dir.File("data"), "a file in the way");
        TfrmConfig dialog(form);
        dialog.show();
        dialog.chkAssoc->setChecked(true);
        dialog.chkShowGridHints->setChecked(false);
        dialog.bitbtnOKClick();
        QCOMPARE(f.Prompts.Shown.size(), 1);
        QCOMPARE(f.Prompts.Shown[0].Kind, "error");
        QVERIFY(f.Prompts.Shown[0].Text.startsWith("Failed to set data for '"));
        QVERIFY(f.Settings.Associate);     // taken before the step
        QVERIFY(f.Settings.ShowGridHints); // after it: not taken
        QVERIFY(!QFile::exists(f.Settings.IniFileName()));
        QVERIFY(!dialog.isVisible());
    }
    // The settings file cannot be written: reported, the window not refreshed.
    {
        TOptionsFixture f;
        auto& form = f.Create();
        QDir().mkpath(f.Settings.IniFileName()); // a folder where the file would go
        TfrmConfig dialog(form);
        dialog.chkGridEdit->setChecked(true);
        dialog.bitbtnOKClick();
        QCOMPARE(f.Prompts.Shown.size(), 1);
        QCOMPARE(f.Prompts.Shown[0].Text, "Unable to write to " + f.Settings.IniFileName());
        QVERIFY(f.Settings.GridEdit);
        QVERIFY(!(form.StringGrid1->Options() & goEditing));
    }
}

void TestOptions::defaultFileAndBrowse() {
    TOptionsFixture f;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("kept");
    const QString chosen = f.Dir.File("chosen.clp");
    TTestDir::Write(chosen, "from file\r\n");
    TfrmConfig dialog(form);
    f.Prompts.Files.enqueue(f.Dir.File("missing.clp")); // not there: the box keeps its text
    dialog.btnBrowseClick();
    QCOMPARE(dialog.cedtDefaultFile->text(), QString());
    f.Prompts.Files.enqueue(chosen);
    dialog.btnBrowseClick();
    QCOMPARE(f.Prompts.Dialogs.last().Filter, "Quillery Files|*.clp");
    QCOMPARE(dialog.cedtDefaultFile->text(), chosen);
    dialog.bitbtnOKClick();
    QCOMPARE(f.Settings.DefaultFile, chosen);
    QCOMPARE(form.ClipAt(0), "kept"); // not loaded
    QCOMPARE(form.pnlStatus->text(), chosen);
}

// From the View menu: translated, modal, OK focused, the window out of the topmost layer
// meanwhile and back according to the new setting, the dialog released.
void TestOptions::openedFromTheMenu() {
    TOptionsFixture f;
    QVERIFY(QFile::copy(QUILLERY_SOURCE_DIR "/languages/German.lng", f.Dir.File("German.lng")));
    f.Settings.Language = "German";
    f.Settings.OnTop = true;
    auto& form = f.Create();
    form.show();
    QVERIFY(form.IsTopmost());
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TfrmConfig*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        checked = true;
        QVERIFY(!form.IsTopmost());
        QCOMPARE(dialog->windowTitle(), QString::fromUtf8("Einstellungen ändern"));
        QCOMPARE(dialog->gbProgOpts->title(), "Programmoptionen");
        QCOMPARE(dialog->chkTray->text(), QString::fromUtf8("Im Infobereich ausführen"));
        QCOMPARE(dialog->chkStart->text(), "Bei der Anmeldung starten");
        QCOMPARE(dialog->bitbtnCancel->text(), "Abbrechen");
        QCOMPARE(dialog->rgPowerPaste->Items(),
                 QStringList({QString::fromUtf8("Aufwärts"), QString::fromUtf8("Abwärts")}));
        QCOMPARE(dialog->focusWidget(), dialog->bitbtnOK);
        // Tab order: the groups column by column, then OK and Cancel.
        QStringList order;
        for (QWidget* w = dialog->bitbtnOK->nextInFocusChain(); w != dialog->bitbtnOK;
             w = w->nextInFocusChain())
            if (w->isVisible() && w->focusPolicy() & Qt::TabFocus && !w->objectName().isEmpty() &&
                !w->objectName().startsWith("qt_"))
                order << w->objectName();
        QCOMPARE(order.mid(0, 10), QStringList({"bitbtnCancel", "chkTray", "chkNoArc", "chkOnTop",
                                                "chkClearFile", "chkGridEdit", "chkBeep",
                                                "chkAssoc", "chkShowGridHints", "edtRows"}));
        QCOMPARE(order.mid(10),
                 QStringList({"edtFont", "spdbtnFont", "cedtDefaultFile", "btnBrowse",
                              "edtRestoreHK", "edtSPasteHK", "chkRowPaste", "chkStart", "chkMin",
                              "chkSplash", "chkOpenLast", "chkPrompt", "chkAutoSave"}));
        dialog->chkOnTop->setChecked(false);
        QTest::keyClick(dialog, Qt::Key_Return); // OK is the default button
    });
    form.Options1->trigger();
    QVERIFY(checked);
    QVERIFY(!f.Settings.OnTop);
    QVERIFY(!form.IsTopmost());
    QVERIFY(!form.findChild<TfrmConfig*>());
    QVERIFY(!TIniFile(f.Settings.IniFileName()).ReadBool("Options", "OnTop", true));
    QCOMPARE(form.spdbtnConfig->toolTip(), "Programm einrichten");
}

QTEST_MAIN(TestOptions)
#include "tst_Options.moc"
