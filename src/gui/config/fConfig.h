#pragma once

#include "OptionsWindow.h"
#include "platform/Prompts.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;
class TFileDialogComponent;
class TRadioGroup;

// "Change Configuration": the settings in controls. Nothing is applied until OK, which takes
// every value back, does what some settings need, saves and applies them.
class TfrmConfig : public QDialog {
    Q_OBJECT
public:
    explicit TfrmConfig(IOptionsWindow& mainForm);
    // Once translated: what a screen reader says for the button that shows "...".
    void NameControls();

    QGroupBox* gbProgOpts = nullptr;
    QCheckBox* chkTray = nullptr;
    QCheckBox* chkNoArc = nullptr;
    QCheckBox* chkOnTop = nullptr;
    QCheckBox* chkClearFile = nullptr;
    QCheckBox* chkGridEdit = nullptr;
    QCheckBox* chkBeep = nullptr;
    QCheckBox* chkMinCopy = nullptr;
    QCheckBox* chkAssoc = nullptr;
    QCheckBox* chkShowGridHints = nullptr;
    QGroupBox* gbRows = nullptr;
    QSpinBox* edtRows = nullptr;
    QGroupBox* gbFonts = nullptr;
    QLineEdit* edtFont = nullptr;
    QToolButton* spdbtnFont = nullptr;
    QGroupBox* gbDefaultFile = nullptr;
    QLineEdit* cedtDefaultFile = nullptr;
    QPushButton* btnBrowse = nullptr;
    QGroupBox* gbHotKeys = nullptr;
    QLabel* lblRestore = nullptr;
    QLineEdit* edtRestoreHK = nullptr;
    QLabel* lblSeriesPaste = nullptr;
    QLineEdit* edtSPasteHK = nullptr;
    QCheckBox* chkRowPaste = nullptr;
    QGroupBox* gbLoading = nullptr;
    QCheckBox* chkStart = nullptr;
    QCheckBox* chkMin = nullptr;
    QCheckBox* chkSplash = nullptr;
    QCheckBox* chkOpenLast = nullptr;
    QGroupBox* gbSaving = nullptr;
    QCheckBox* chkPrompt = nullptr;
    QCheckBox* chkAutoSave = nullptr;
    TRadioGroup* rgPowerPaste = nullptr;
    QPushButton* bitbtnOK = nullptr;
    QPushButton* bitbtnCancel = nullptr;
    TFileDialogComponent* OpenDialog1 = nullptr;
    TFontChoice FontDialog1; // the font dialog's font

    void RefreshOptions();
    void bitbtnOKClick();
    void bitbtnCancelClick();
    void spdbtnFontClick();
    void FontDialog1Apply(const TFontChoice& selected);
    void btnBrowseClick();
    void chkTrayClick(bool checked);

    // Edited by the user since the dialog opened (typing or the spin buttons).
    bool RowsModified = false;
    bool Opened = false; // shown once: the controls hold the user's edits

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls(); // fConfigLayout.cpp
    void TakeSettings();
    bool MayLowerRows(); // asks before rows that hold clips go
    void HotKeyNotice();
    void ApplyStartUp();
    IOptionsWindow& MainForm;
    IPrompts& Prompts;
    bool Refreshing = false;
};
