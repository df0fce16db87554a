#include "config/IniFile.h"
#include "dialogs/FileDialogComponent.h"
#include "dialogs/RadioGroup.h"
#include "fakes/FormFixture.h"
#include "lang/Language.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
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
                          "QuilleryMainForm.MainMenu1.File1.Caption=&Datei\n"
                          "QuilleryMainForm.OpenDialog1.Filter=Quillery-Dateien|*.clp\n"
                          "QuilleryMainForm.spdbtnOpen.Hint=nowhere to go\n"
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
    form.LangExec(items[1]);
    QCOMPARE(form.SaveClipList1->text(), "Save it");
    QCOMPARE(form.Exit1->text(), "&Beenden"); // the new file lacks it: the old text stays
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

QTEST_MAIN(TestLanguage)
#include "tst_Language.moc"
