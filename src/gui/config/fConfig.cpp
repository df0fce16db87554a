#include "fConfig.h"

#include "FontSetting.h"
#include "core/Errors.h"
#include "core/config/Config.h"
#include "core/config/DesktopEntries.h"
#include "core/files/NativeNames.h"
#include "core/text/ClipText.h"
#include "gui/dialogs/FileDialogComponent.h"
#include "gui/dialogs/RadioGroup.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

namespace {

const QString TypeName = QStringLiteral("Quillery");

QChar FirstChar(const QLineEdit* edit) {
    return edit->text().isEmpty() ? QChar() : edit->text().at(0);
}

QString ProgramPath() {
    return QCoreApplication::applicationFilePath();
}

QByteArray IconSvg() {
    QFile icon(QStringLiteral(":/pictures/quillery.svg"));
    return icon.open(QIODevice::ReadOnly) ? icon.readAll() : QByteArray();
}

} // namespace

TfrmConfig::TfrmConfig(IOptionsWindow& mainForm)
    : QDialog(&mainForm.Window()), MainForm(mainForm), Prompts(mainForm.Questions()) {
    setObjectName(QStringLiteral("frmConfig"));
    setWindowTitle(QStringLiteral("Change Configuration"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    CreateControls();
    connect(bitbtnOK, &QPushButton::clicked, this, &TfrmConfig::bitbtnOKClick);
    connect(bitbtnCancel, &QPushButton::clicked, this, &TfrmConfig::bitbtnCancelClick);
    connect(spdbtnFont, &QToolButton::clicked, this, &TfrmConfig::spdbtnFontClick);
    connect(btnBrowse, &QPushButton::clicked, this, &TfrmConfig::btnBrowseClick);
    connect(chkTray, &QCheckBox::clicked, this, &TfrmConfig::chkTrayClick);
    connect(edtRows, &QSpinBox::valueChanged, this, [this] { RowsModified = !Refreshing; });
    RefreshOptions();
}

void TfrmConfig::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Shown again after being minimized: the user's edits stay, and so does the place.
    if (std::exchange(Opened, true))
        return;
    RefreshOptions();
    QScreen* const on = MainForm.Window().screen();
    const QRect screen = (on ? on : QGuiApplication::primaryScreen())->availableGeometry();
    move(screen.center() - rect().center());
    bitbtnOK->setFocus();
}

void TfrmConfig::RefreshOptions() {
    Refreshing = true;
    // A larger value set by hand stays as it is unless the user changes it.
    edtRows->setMaximum(std::max(1000000, Config->Rows));
    edtRows->setValue(Config->Rows);
    const std::pair<QCheckBox*, bool> boxes[] = {
        {chkTray, Config->Tray},         {chkStart, Config->StartUp},
        {chkMin, Config->StartMin},      {chkOnTop, Config->OnTop},
        {chkPrompt, Config->PromptSave}, {chkAutoSave, Config->AutoSave},
        {chkNoArc, Config->NoArc},       {chkSplash, Config->Splash},
        {chkBeep, Config->Beep},         {chkClearFile, Config->ClearFile},
        {chkGridEdit, Config->GridEdit}, {chkRowPaste, Config->RowPaste},
        {chkOpenLast, Config->OpenLast}, {chkMinCopy, Config->MinCopy},
        {chkAssoc, Config->Associate},   {chkShowGridHints, Config->ShowGridHints}};
    for (const auto& [box, on] : boxes)
        box->setChecked(on);
    edtFont->setText(Config->Font);
    FontDialog1 = FontSetting::FromSettings();
    cedtDefaultFile->setText(Config->DefaultFile);
    edtRestoreHK->setText(QString(Config->RestoreHK));
    edtSPasteHK->setText(QString(Config->SPasteHK));
    rgPowerPaste->SetItemIndex(Config->PowerPaste);
    Refreshing = false;
}

void TfrmConfig::chkTrayClick(bool checked) {
    if (checked)
        Prompts.ShowMessage(QStringLiteral("Note that if you even uninstall this program please "
                                           "ensure that this option is not longer checked."));
}

void TfrmConfig::spdbtnFontClick() {
    TFontChoice font = FontDialog1;
    if (Prompts.ChooseFont(font, MainForm.MessageText(QStringLiteral("&Color...")),
                           [this](const TFontChoice& selected) { FontDialog1Apply(selected); }))
        FontDialog1 = font;
    edtFont->setText(FontDialog1.Font.family());
}

void TfrmConfig::FontDialog1Apply(const TFontChoice& selected) {
    FontDialog1 = selected;
    edtFont->setText(FontDialog1.Font.family());
}

void TfrmConfig::NameControls() {
    btnBrowse->setAccessibleName(btnBrowse->toolTip());
}

void TfrmConfig::btnBrowseClick() {
    const QString current = cedtDefaultFile->text();
    OpenDialog1->Dialog.InitialDir =
        current.isEmpty() ? Config->LastDir : QFileInfo(current).absolutePath();
    const QString chosen = Prompts.OpenFile(OpenDialog1->Dialog);
    if (!chosen.isEmpty() && QFileInfo(chosen).isFile())
        cedtDefaultFile->setText(QFileInfo(chosen).absoluteFilePath());
}

void TfrmConfig::bitbtnCancelClick() {
    reject();
}

void TfrmConfig::bitbtnOKClick() {
    if (!MayLowerRows()) {
        RowsModified = false; // the old count, and the list, stay
        const QSignalBlocker quiet(edtRows);
        edtRows->setValue(Config->Rows);
    }
    // A step that fails is reported; those before it stay done, and the dialog closes.
    MainForm.Guarded([this] { TakeSettings(); });
    accept();
}

// Fewer rows drop the clips below them, and Auto Save would shorten the file within a
// second: clips that hold text are not dropped without a question.
bool TfrmConfig::MayLowerRows() {
    edtRows->interpretText();
    if (!RowsModified)
        return true;
    const QList<QByteArray> clips = MainForm.ClipTexts();
    qsizetype lost = 0;
    for (qsizetype r = std::max(edtRows->value(), 0); r < clips.size(); ++r)
        lost += !ClipText::IsBlank(clips.at(r));
    if (lost == 0)
        return true;
    const QString text = MainForm
                             .MessageText(QStringLiteral("With %1 rows, %2 clips at the end "
                                                         "of the list are removed. Go on?"))
                             .arg(edtRows->value())
                             .arg(lost);
    return Prompts.Ask(MainForm.MessageText(QStringLiteral("Confirmation")), text,
                       TButtons::OkCancel) == TAnswer::Ok;
}

void TfrmConfig::HotKeyNotice() {
    if (FirstChar(edtRestoreHK) != Config->RestoreHK ||
        FirstChar(edtSPasteHK) != Config->SPasteHK || chkRowPaste->isChecked() != Config->RowPaste)
        Prompts.ShowMessage(QStringLiteral("Hotkeys will be reassigned on next program start."));
}

void TfrmConfig::ApplyStartUp() {
    try {
        if (Config->StartUp)
            DesktopEntries::AddStartupShortcut(TypeName, ProgramPath(), QString());
        else
            DesktopEntries::RemoveStartupShortcut(TypeName);
    } catch (const EQuillery& e) {
        Prompts.Ask(QStringLiteral("Exception"), e.Message(), TButtons::OkCancel);
    }
}

void TfrmConfig::TakeSettings() {
    HotKeyNotice();
    Config->RestoreHK = (edtRestoreHK->text() + QLatin1Char('M')).at(0);
    Config->SPasteHK = (edtSPasteHK->text() + QLatin1Char('V')).at(0);
    const std::pair<bool*, QCheckBox*> taken[] = {
        {&Config->Tray, chkTray},           {&Config->StartUp, chkStart},
        {&Config->StartMin, chkMin},        {&Config->PromptSave, chkPrompt},
        {&Config->AutoSave, chkAutoSave},   {&Config->OpenLast, chkOpenLast},
        {&Config->ClearFile, chkClearFile}, {&Config->GridEdit, chkGridEdit},
        {&Config->Beep, chkBeep},           {&Config->Associate, chkAssoc},
        {&Config->Splash, chkSplash},       {&Config->RowPaste, chkRowPaste}};
    for (const auto& [setting, box] : taken)
        *setting = box->isChecked();
    if (chkNoArc->isChecked() != Config->NoArc)
        MainForm.SuspendClipArchiving1Click();
    Config->OnTop = chkOnTop->isChecked();
    ApplyStartUp();
    DesktopEntries::AssociateFile(TypeName, chkAssoc->isChecked(), ProgramPath(), IconSvg());
    if (cedtDefaultFile->text() != Config->DefaultFile) {
        MainForm.ListFileNamed(std::exchange(Config->DefaultFile, cedtDefaultFile->text()));
        MainForm.ShowStatus(NativeNames::Shown(Config->DefaultFile));
    }
    edtRows->interpretText();
    Config->Rows = edtRows->value();
    if (RowsModified) {
        RowsModified = false;
        MainForm.SetGridRows(Config->Rows);
    }
    Config->ShowGridHints = chkShowGridHints->isChecked();
    FontSetting::ToSettings(FontDialog1);
    if (rgPowerPaste->ItemIndex() >= 0)
        Config->PowerPaste = static_cast<quint16>(rgPowerPaste->ItemIndex());
    Config->SaveToIni();
    MainForm.RefreshOptions();
}
