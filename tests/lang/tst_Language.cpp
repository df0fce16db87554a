#include "core/config/IniFile.h"
#include "fakes/FormFixture.h"
#include "gui/dialogs/FileDialogComponent.h"
#include "gui/dialogs/FindDialogs.h"
#include "gui/dialogs/RadioGroup.h"
#include "gui/grid/ZoomView.h"
#include "gui/lang/Language.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {
// Stands in for the options dialog: the controls the path list names, by their names.
struct TConfigStandIn {
    QDialog Window;
    QCheckBox* Tray = new QCheckBox("Run From Tray", &Window);
    QGroupBox* Options = new QGroupBox("Program Options", &Window);
    TRadioGroup* PowerPaste = new TRadioGroup(&Window, 2);
    TConfigStandIn() {
        Window.setObjectName("frmConfig");
        Window.setWindowTitle("Change Configuration");
        Tray->setObjectName("chkTray");
        Options->setObjectName("gbProgOpts");
        PowerPaste->setObjectName("rgPowerPaste");
        PowerPaste->SetItems({"Up", "Down"});
        PowerPaste->SetItemIndex(1);
    }
};

const QByteArray German = "[Translations]\n"
                          "QuilleryMainForm.SaveClipList1.Caption=Clipliste &speichern\n"
                          "QuilleryMainForm.Exit1.Caption=&Beenden\n"
                          "QuilleryMainForm.RollUp1.Caption=&Aufrollen\n"
                          "QuilleryMainForm.MainMenu1.File1.Caption=&Datei\n"
                          "QuilleryMainForm.OpenDialog1.Filter=Quillery-Dateien|*.clp\n"
                          "QuilleryMainForm.spdbtnOpen.Hint=Zwischenablage-Datei öffnen\n"
                          "frmConfig.Caption=Einstellungen\n"
                          "chkTray.Caption=Im Infobereich\n"
                          "frmConfig.frmConfig.gbProgOpts.Caption=Programmoptionen\n"
                          "frmConfig.rgPowerPaste.Items= Aufwärts , Abwärts \n"
                          "AboutBox.Caption=Über\n"
                          "[Messages]\n"
                          "Confirmation=Bestätigung\n"
                          "Save Clipboard List?=Clipliste speichern?\n"
                          "Quillery Files=Quillery-Dateien\n";
} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void startupPassTranslatesTheMainWindow();
    void optionsEntriesOnlyWhileTheWindowExists();
    void pathsWithBlanksAndCase();
    void events();
    void switchingKeepsTextsTheNewFileLacks();
    void languageMenuAndSwitch();
    void messagesFollowTheLanguage();
    void findDialogsFollowTheLanguage();
    void qtsOwnTextsFollowTheLanguage_data();
    void qtsOwnTextsFollowTheLanguage();
    void everyControlHasAName_data();
    void everyControlHasAName();
    void shippedMenusHaveOneAcceleratorEach_data();
    void shippedMenusHaveOneAcceleratorEach();
};

void TestLanguage::startupPassTranslatesTheMainWindow() {
    TFormFixture f;
    TTestDir::Write(f.Dir.File("Deutsch.lng"), German);
    f.Settings.Language = "Deutsch";
    auto& form = f.Create();
    QCOMPARE(form.SaveClipList1->text(), "Clipliste &speichern");
    QCOMPARE(form.Exit1->text(), "&Beenden");
    QCOMPARE(form.menuBar()->findChild<QMenu*>("File1")->title(), "&Datei");
    QCOMPARE(form.OpenDialog1->Filter(), "Quillery-Dateien|*.clp");
    QCOMPARE(form.SaveDialog1->Filter(), "Quillery Files|*.clp"); // not in the file
    QCOMPARE(form.APpendMode1->text(), "A&ppend Mode");
    QCOMPARE(form.RollUp1->text(), "&Aufrollen");
    QCOMPARE(form.spdbtnOpen->toolTip(), QString::fromUtf8("Zwischenablage-Datei öffnen"));
    QCOMPARE(form.spdbtnSave->toolTip(), "Save To File"); // not in the file
}

void TestLanguage::optionsEntriesOnlyWhileTheWindowExists() {
    TFormFixture f;
    TTestDir::Write(f.Dir.File("Deutsch.lng"), German);
    f.Settings.Language = "Deutsch";
    auto& form = f.Create();
    TConfigStandIn dialog;
    QCOMPARE(dialog.Window.windowTitle(), "Change Configuration"); // the start-up pass came first
    form.Language1->Translate();
    QCOMPARE(dialog.Window.windowTitle(), "Einstellungen");
    QCOMPARE(dialog.Tray->text(), "Im Infobereich");
    QCOMPARE(dialog.Options->title(), "Programmoptionen");
    QCOMPARE(dialog.PowerPaste->Items(),
             (QStringList{QString::fromUtf8("Aufwärts"), QString::fromUtf8("Abwärts")}));
    QCOMPARE(dialog.PowerPaste->ItemIndex(), 1);
}

void TestLanguage::pathsWithBlanksAndCase() {
    TFormFixture f;
    auto& form = f.Create();
    TLanguage& language = *form.Language1;
    language.TranslatePath(" quillerymainform . EXIT1 . caption ", "Quit");
    QCOMPARE(form.Exit1->text(), "Quit");
    language.TranslatePath("QuilleryMainForm.Exit1.Hint", "Ends the program");
    QCOMPARE(form.Exit1->toolTip(), "Ends the program");
    language.TranslatePath("QuilleryMainForm.Exit1.Caption", ""); // an empty value changes nothing
    QCOMPARE(form.Exit1->text(), "Quit");
    language.TranslatePath("NoSuchWindow.Exit1.Caption", "x");
    language.TranslatePath("QuilleryMainForm.NoSuchItem.Caption", "x");
    language.TranslatePath("QuilleryMainForm.Exit1.NoSuchProperty", "x");
    language.TranslatePath("AboutBox.Caption", "x");
    QCOMPARE(form.Exit1->text(), "Quit");
    QCOMPARE(form.windowTitle(), "Quillery");
    language.TranslatePath("QuilleryMainForm.Caption", "Quillery (Test)");
    QCOMPARE(form.windowTitle(), "Quillery (Test)");
}

void TestLanguage::events() {
    TFormFixture f;
    auto& form = f.Create();
    TTestDir::Write(f.Dir.File("t.lng"), "[Translations]\nQuilleryMainForm.Exit1.Caption=Quit\n"
                                         "QuilleryMainForm.Nothing1.Caption=x\n");
    TLanguage& language = *form.Language1;
    language.LanguageFile = f.Dir.File("t.lng");
    QStringList seen;
    language.OnBeforeTranslation = [&](TLanguage*) { seen << "before"; };
    language.OnAfterTranslation = [&](TLanguage*) { seen << "after"; };
    language.OnTranslate = [&](TLanguage*, QObject* component, const QString& property,
                               const QString& oldValue, QString& newValue) {
        seen << component->objectName() + "." + property + ":" + oldValue + ">" + newValue;
        newValue = "Changed by the handler";
    };
    language.Translate();
    QCOMPARE(seen, (QStringList{"before", "Exit1.Caption:E&xit>Quit", "after"}));
    QCOMPARE(form.Exit1->text(), "Changed by the handler");
    language.SetSeparator(" ");
    QCOMPARE(language.Separator(), ",");
}

void TestLanguage::switchingKeepsTextsTheNewFileLacks() {
    TFormFixture f;
    TTestDir::Write(f.Dir.File("Deutsch.lng"), German);
    TTestDir::Write(f.Dir.File("Sparse.lng"),
                    "[Translations]\nQuilleryMainForm.SaveClipList1.Caption=Save it\n");
    f.Settings.Language = "Deutsch";
    auto& form = f.Create();
    const QList<QAction*> items = form.Language2->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(f.Shell.HelpLanguage, "Deutsch");
    form.LangExec(items[1]);
    QCOMPARE(form.SaveClipList1->text(), "Save it");
    QCOMPARE(form.Exit1->text(), "&Beenden"); // the new file lacks it: the old text stays
    QCOMPARE(f.Shell.HelpLanguage, "Sparse"); // the help follows
}

void TestLanguage::languageMenuAndSwitch() {
    TFormFixture f;
    for (const char* name : {"Zulu.lng", "alpha.LNG", "R&D.lng", "pt.BR.lng"})
        TTestDir::Write(f.Dir.File(name), "[Translations]\nQuilleryMainForm.Exit1.Caption=" +
                                              QByteArray(name) + "\n");
    auto& form = f.Create();
    QStringList captions;
    for (QAction* item : form.Language2->actions())
        captions << item->text();
    QCOMPARE(captions, (QStringList{"alpha", "pt.BR", "R&&D", "Zulu"}));
    for (QAction* item : form.Language2->actions()) {
        QVERIFY(!item->isChecked());
        form.LangExec(item);
        const QString name = item->data().toString();
        QCOMPARE(f.Settings.Language, name);
        // Saved at once, with all the other settings.
        const TIniFile ini(f.Settings.IniFileName());
        QCOMPARE(ini.ReadString("Options", "Language", ""), name);
        QVERIFY(ini.ValueExists("Defaults", "Height"));
        QVERIFY(form.Exit1->text().startsWith(name));
    }
}

void TestLanguage::messagesFollowTheLanguage() {
    TFormFixture f;
    TTestDir::Write(f.Dir.File("Deutsch.lng"), German);
    f.Settings.Language = "Deutsch";
    f.Settings.PromptSave = true;
    auto& form = f.Create();
    f.Clipboard.CopyFromOtherProgram("changed");
    f.Prompts.Answers.enqueue(TAnswer::Yes);
    form.ExitSaveStep(true);
    QCOMPARE(f.Prompts.Shown[0].Caption, QString::fromUtf8("Bestätigung"));
    QCOMPARE(f.Prompts.Shown[0].Text, "Clipliste speichern?");
    QCOMPARE(f.Prompts.Shown[1].Text, "Quillery-Dateien (*.clp)|*.CLP"); // the save dialog's filter
}

namespace {
// Every menu of the program with its items and their English captions, those of commands
// not built yet included: a language file translates them already.
struct TItem {
    QString Name, English;
};
const QList<QPair<QString, QList<TItem>>> Menus = {
    {"MainMenu1",
     {{"File1", "&File"},
      {"Edit1", "&Edit"},
      {"Lists1", "&Lists"},
      {"View1", "&View"},
      {"Help1", "&Help"}}},
    {"File1",
     {{"NewClipList1", "&New Clip List"},
      {"OpenClipList1", "&Open Clip List"},
      {"SaveClipList1", "&Save Clip List"},
      {"SaveAs1", "Save As"},
      {"EditClipList1", "&Edit Clip List"},
      {"AppendClipList1", "&Append Clip List"},
      {"ImportTextFile1", "&Import Text File"},
      {"ImportTextFileIntoCell1", "&Load Text File Into Clip"},
      {"SaveCliptoFile1", "Ex&port Clip to File"},
      {"Language2", "Lan&guage"},
      {"Exit1", "E&xit"}}},
    {"Edit1",
     {{"InsertClip1", "&Insert Clip"},
      {"Delete1", "&Delete Clips"},
      {"Find1", "&Find"},
      {"FindandReplace1", "Find and &Replace"},
      {"SelectClip1", "Se&lect Clip"},
      {"SelectAll1", "Select &All"},
      {"MoveDown1", "Move Do&wn"},
      {"MoveUp1", "Move U&p"},
      {"Sort1", "&Sort"},
      {"APpendMode1", "A&ppend Mode"}}},
    {"Sort1", {{"SortClips1", "&Ascending"}, {"SortDescending1", "&Descending"}}},
    {"View1",
     {{"Options1", "O&ptions"},
      {"Expand1", "Zoom &In"},
      {"Contract1", "Zoom &Out"},
      {"Minimize1", "Mi&nimize"},
      {"RollUp1", "&Roll Up"}}},
    {"Help1",
     {{"Contents1", "&Index"},
      {"KeywordSearch1", "&Keyword Search"},
      {"QuilleryWebPage1", "&Quillery Web Page"},
      {"VendrelWebPage1", "&Vendrel Web Page"},
      {"EmailFeedback1", "&E-mail Feedback"},
      {"OtherVendrelSoftware1", "Other Vendrel &Software"},
      {"About1", "&About"}}},
    {"popupTray",
     {{"SuspendClipArchiving2", "&Suspend Clip Archiving"},
      {"ClearClipboard1", "C&lear Clipboard"},
      {"StayOnTop1", "Stay On &Top"},
      {"Help3", "&Help"},
      {"Close2", "&Close"},
      {"Restore2", "&Restore"}}},
    {"popupClipList",
     {{"ZoomIn1", "Zoom &In"},
      {"ZoomOut1", "Zoom &Out"},
      {"Delete2", "&Delete Clip"},
      {"LoadTextFileIntoClip1", "&Load Text File Into Clip"},
      {"SaveCliptoTextFile1", "Sa&ve Clip to Text File"}}},
};

QString PathOf(const QString& menu, const QString& item) {
    if (item == "File1")
        return "QuilleryMainForm.MainMenu1.File1.Caption";
    if (menu.startsWith("popup"))
        return QString("QuilleryMainForm.%1.%2.Caption").arg(menu, item);
    return QString("QuilleryMainForm.%1.Caption").arg(item);
}

QChar Accelerator(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == '&' && caption[i + 1] == '&')
            ++i;
        else if (caption[i] == '&')
            return caption[i + 1].toLower();
    }
    return {};
}

// The visible named items of a live menu, by name.
QMap<QString, QString> LiveItems(const QWidget* menu) {
    QMap<QString, QString> items;
    for (const QAction* action : menu->actions()) {
        const QString name = action->menu() ? action->menu()->objectName() : action->objectName();
        if (!name.isEmpty() && action->isVisible() && !action->isSeparator())
            items.insert(name, action->text());
    }
    return items;
}
} // namespace

void TestLanguage::findDialogsFollowTheLanguage() {
    TFormFixture f;
    QVERIFY(QFile::copy(QUILLERY_SOURCE_DIR "/languages/German.lng", f.Dir.File("German.lng")));
    f.Settings.Language = "German";
    auto& form = f.Create();
    form.FindandReplace1->trigger();
    QCOMPARE(form.ReplaceDialog1->windowTitle(), "Ersetzen");
    QCOMPARE(form.ReplaceDialog1->chkMatchCase->text(),
             QString::fromUtf8("&Groß-/Kleinschreibung beachten"));
    form.Find1->trigger();
    QCOMPARE(form.FindDialog1->windowTitle(), "Suchen");
}

void TestLanguage::qtsOwnTextsFollowTheLanguage_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("cancel"); // Qt's own standard button
    QTest::newRow("German") << "German"
                            << "Abbrechen";
    QTest::newRow("French") << "French"
                            << "Annuler";
    QTest::newRow("Spanish") << "Spanish"
                             << "Cancelar";
    QTest::newRow("back to English") << "English"
                                     << "Cancel";
}

// Qt's own buttons and dialogs speak the chosen language too, switched with it.
void TestLanguage::qtsOwnTextsFollowTheLanguage() {
    QFETCH(QString, language);
    QFETCH(QString, cancel);
    TFormFixture f;
    for (const char* name : {"German", "French", "Spanish", "English"})
        QVERIFY(QFile::copy(QUILLERY_SOURCE_DIR "/languages/" + QString(name) + ".lng",
                            f.Dir.File(QString(name) + ".lng")));
    f.Settings.Language = "German";
    auto& form = f.Create();
    for (QAction* item : form.Language2->actions()) {
        if (item->data().toString() == language)
            form.LangExec(item);
    }
    QCOMPARE(QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text(),
             cancel);
}

void TestLanguage::everyControlHasAName_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("status");
    QTest::newRow("English") << "English"
                             << "Status line";
    QTest::newRow("German") << "German"
                            << "Statuszeile";
}

// What a screen reader names: every button, the text fields and the list, in the language
// of the moment (the tool buttons by their hints).
void TestLanguage::everyControlHasAName() {
    QFETCH(QString, language);
    QFETCH(QString, status);
    TFormFixture f;
    QVERIFY(QFile::copy(QUILLERY_SOURCE_DIR "/languages/" + language + ".lng",
                        f.Dir.File(language + ".lng")));
    f.Settings.Language = language;
    auto& form = f.Create();
    const QList<QToolButton*> buttons = form.findChildren<QToolButton*>();
    QVERIFY(buttons.size() >= 8);
    for (const QToolButton* b : buttons) {
        if (b->toolTip().isEmpty())
            continue; // Qt's own (the menu bar's extension button)
        QCOMPARE(b->accessibleName(), b->toolTip());
    }
    QCOMPARE(form.spdbtnHelp->accessibleName(), language == "German" ? "Hilfe" : "Help");
    QCOMPARE(form.pnlStatus->accessibleName(), status);
    QVERIFY(!form.Memo1->accessibleName().isEmpty());
    QVERIFY(!form.StringGrid1->accessibleName().isEmpty());
}

void TestLanguage::shippedMenusHaveOneAcceleratorEach_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("suspended");
    const QDir dir(QUILLERY_SOURCE_DIR "/languages");
    const QStringList files = dir.entryList({"*.lng"}, QDir::Files);
    QVERIFY(files.size() >= 4);
    for (const QString& name : files) {
        QTest::newRow(qPrintable(name)) << dir.filePath(name) << false;
        QTest::newRow(qPrintable(name + ", archiving suspended")) << dir.filePath(name) << true;
    }
}

void TestLanguage::shippedMenusHaveOneAcceleratorEach() {
    QFETCH(QString, file);
    QFETCH(bool, suspended);
    TFormFixture f;
    QVERIFY(QFile::copy(file, f.Dir.File(QFileInfo(file).fileName())));
    f.Settings.Language = QFileInfo(file).completeBaseName();
    f.Settings.NoArc = suspended;
    auto& form = f.Create();
    const TIniFile language(file);
    QStringList faults;
    for (const auto& [menu, designed] : Menus) {
        // What the user sees: the live menu after the pass; commands not built yet as the file
        // translates them.
        const QWidget* live = menu == "MainMenu1" ? static_cast<QWidget*>(form.menuBar())
                                                  : form.findChild<QMenu*>(menu);
        QMap<QString, QString> items = live ? LiveItems(live) : QMap<QString, QString>();
        for (const TItem& item : designed) {
            const QString path = PathOf(menu, item.Name);
            if (!items.contains(item.Name))
                items.insert(item.Name, language.ReadString("Translations", path, item.English));
            if (language.ValueExists("Translations", path) &&
                Accelerator(items[item.Name]).isNull())
                faults << QString("%1: \"%2\" has no accelerator").arg(menu, items[item.Name]);
        }
        QMap<QChar, QString> taken;
        for (const QString& caption : items) {
            const QChar key = Accelerator(caption);
            if (!key.isNull() && taken.contains(key))
                faults << QString("%1: \"%2\" and \"%3\"").arg(menu, taken[key], caption);
            taken.insert(key, caption);
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
}

QTEST_MAIN(TestLanguage)
#include "tst_Language.moc"
