// The options dialog's controls: three columns of groups, the buttons below.
#include "fConfig.h"
#include "gui/dialogs/FileDialogComponent.h"
#include "gui/dialogs/RadioGroup.h"
#include "gui/dialogs/ToolIcons.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template <typename T> T* Named(T* widget, const char* name, const QString& hint = {}) {
    widget->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty())
        widget->setToolTip(hint);
    return widget;
}

QGroupBox* Group(QWidget* parent, QVBoxLayout* column, const char* name, const QString& caption) {
    auto* group = Named(new QGroupBox(caption, parent), name);
    column->addWidget(group);
    new QVBoxLayout(group);
    return group;
}

QCheckBox* Check(QGroupBox* group, const char* name, const QString& caption,
                 const QString& hint = {}) {
    auto* box = Named(new QCheckBox(caption, group), name, hint);
    group->layout()->addWidget(box);
    return box;
}

QLineEdit* LetterEdit(QWidget* parent, const char* name, const QString& text, const QString& hint) {
    auto* edit = Named(new QLineEdit(text, parent), name, hint);
    edit->setMaxLength(1);
    edit->setAlignment(Qt::AlignCenter);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("WW")) + 12);
    return edit;
}

} // namespace

void TfrmConfig::CreateControls() {
    auto* columns = new QHBoxLayout;
    QVBoxLayout* column[3];
    for (auto*& c : column) {
        c = new QVBoxLayout;
        columns->addLayout(c);
    }

    gbProgOpts = Group(this, column[0], "gbProgOpts", QStringLiteral("Program Options"));
    chkTray = Check(gbProgOpts, "chkTray", QStringLiteral("Run From Tray"),
                    QStringLiteral("Check To Run From The Tray"));
    chkNoArc = Check(gbProgOpts, "chkNoArc", QStringLiteral("Suspend Clip Archiving"),
                     QStringLiteral("Check to prevent clipboard archiving"));
    chkOnTop = Check(gbProgOpts, "chkOnTop", QStringLiteral("Always On Top"),
                     QStringLiteral("Stay on top of other programs"));
    chkClearFile = Check(gbProgOpts, "chkClearFile", QStringLiteral("Prompt To Clear File"),
                         QStringLiteral("Check to prompt on clearing a clip list file"));
    chkGridEdit = Check(gbProgOpts, "chkGridEdit", QStringLiteral("Allow Grid Edits"),
                        QStringLiteral("Check to allow edits in clip list grid"));
    chkBeep = Check(gbProgOpts, "chkBeep", QStringLiteral("Beep on Copy"),
                    QStringLiteral("Check to beep when text is copied to clipboard"));
    chkMinCopy = Check(gbProgOpts, "chkMinCopy", QStringLiteral("Minimize on Copy"),
                       QStringLiteral("Check to minimize once text has been copied"));
    chkMinCopy->hide();
    chkAssoc = Check(gbProgOpts, "chkAssoc", QStringLiteral("Associate CLP Files"),
                     QStringLiteral("Check to associate CLP files with Quillery"));
    chkShowGridHints = Check(gbProgOpts, "chkShowGridHints", QStringLiteral("Show Grid Hints"));

    gbRows = Group(this, column[1], "gbRows", QStringLiteral("Rows"));
    edtRows = Named(new QSpinBox(gbRows), "edtRows",
                    QStringLiteral("Number of rows to show in clip list"));
    edtRows->setRange(1, 1000000);
    edtRows->setValue(25);
    gbRows->layout()->addWidget(edtRows);

    gbFonts = Group(this, column[1], "gbFonts", QStringLiteral("Font"));
    auto* fontRow = new QHBoxLayout;
    static_cast<QVBoxLayout*>(gbFonts->layout())->addLayout(fontRow);
    edtFont = Named(new QLineEdit(gbFonts), "edtFont", QStringLiteral("Clip list font"));
    spdbtnFont = Named(new QToolButton(gbFonts), "spdbtnFont", QStringLiteral("Change Font"));
    spdbtnFont->setIcon(ToolIcons::Font());
    fontRow->addWidget(edtFont);
    fontRow->addWidget(spdbtnFont);

    gbDefaultFile = Group(this, column[1], "gbDefaultFile", QStringLiteral("Default File"));
    auto* fileRow = new QHBoxLayout;
    static_cast<QVBoxLayout*>(gbDefaultFile->layout())->addLayout(fileRow);
    cedtDefaultFile = Named(new QLineEdit(gbDefaultFile), "cedtDefaultFile",
                            QStringLiteral("File to load on program start"));
    cedtDefaultFile->setMinimumWidth(cedtDefaultFile->fontMetrics().averageCharWidth() * 26);
    btnBrowse = Named(new QPushButton(QStringLiteral("..."), gbDefaultFile), "btnBrowse",
                      QStringLiteral("Select clip list file"));
    btnBrowse->setFixedWidth(btnBrowse->fontMetrics().horizontalAdvance(QStringLiteral("...")) +
                             20);
    btnBrowse->setAutoDefault(false);
    fileRow->addWidget(cedtDefaultFile);
    fileRow->addWidget(btnBrowse);

    gbHotKeys = Named(new QGroupBox(QStringLiteral("Hot Keys"), this), "gbHotKeys");
    column[1]->addWidget(gbHotKeys);
    auto* keys = new QGridLayout(gbHotKeys);
    lblRestore =
        Named(new QLabel(QStringLiteral("Restore - [Shift]+[Ctrl]"), gbHotKeys), "lblRestore");
    edtRestoreHK = LetterEdit(gbHotKeys, "edtRestoreHK", QStringLiteral("M"),
                              QStringLiteral("Restore hot key"));
    lblSeriesPaste = Named(new QLabel(QStringLiteral("Series Paste - [Shift]+[Ctrl]"), gbHotKeys),
                           "lblSeriesPaste");
    edtSPasteHK = LetterEdit(gbHotKeys, "edtSPasteHK", QStringLiteral("V"),
                             QStringLiteral("Series paste hotkey"));
    chkRowPaste = Named(new QCheckBox(QStringLiteral("Allow Row Pasting"), gbHotKeys),
                        "chkRowPaste", QStringLiteral("Check to allow row pasting"));
    lblRestore->setBuddy(edtRestoreHK);
    lblSeriesPaste->setBuddy(edtSPasteHK);
    keys->addWidget(lblRestore, 0, 0);
    keys->addWidget(edtRestoreHK, 0, 1);
    keys->addWidget(lblSeriesPaste, 1, 0);
    keys->addWidget(edtSPasteHK, 1, 1);
    keys->addWidget(chkRowPaste, 2, 0, 1, 2);

    gbLoading = Group(this, column[2], "gbLoading", QStringLiteral("Loading"));
    chkStart = Check(gbLoading, "chkStart", QStringLiteral("Start On Boot"),
                     QStringLiteral("Check To Auto Run when You Log In"));
    chkMin = Check(gbLoading, "chkMin", QStringLiteral("Start Minimized"),
                   QStringLiteral("Check To Start Program Minimized"));
    chkSplash = Check(gbLoading, "chkSplash", QStringLiteral("Show Splash Screen"),
                      QStringLiteral("Check to show the opening splash screen on program start"));
    chkOpenLast =
        Check(gbLoading, "chkOpenLast", QStringLiteral("Open Last List on Load"),
              QStringLiteral("Check to open the last used clip list when program starts"));

    gbSaving = Group(this, column[2], "gbSaving", QStringLiteral("Saving"));
    chkPrompt = Check(gbSaving, "chkPrompt", QStringLiteral("Prompt to Save Changes"),
                      QStringLiteral("Ask before closing or overwriting a changed clip list"));
    chkAutoSave = Check(gbSaving, "chkAutoSave", QStringLiteral("Auto Save"),
                        QStringLiteral("Automatically save changed clip list on exit."));

    rgPowerPaste = Named(new TRadioGroup(this, 2), "rgPowerPaste");
    rgPowerPaste->setTitle(QStringLiteral("Power Paste"));
    rgPowerPaste->SetItems({QStringLiteral("Up"), QStringLiteral("Down")});
    column[2]->addWidget(rgPowerPaste);

    for (auto* c : column)
        c->addStretch();

    bitbtnOK = Named(new QPushButton(QStringLiteral("OK"), this), "bitbtnOK",
                     QStringLiteral("Save Changes"));
    bitbtnOK->setDefault(true);
    bitbtnCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "bitbtnCancel",
                         QStringLiteral("Don't Save Changes"));
    bitbtnCancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bitbtnOK);
    buttons->addWidget(bitbtnCancel);

    auto* whole = new QVBoxLayout(this);
    whole->addLayout(columns);
    whole->addLayout(buttons);
    whole->setSizeConstraint(QLayout::SetFixedSize);

    OpenDialog1 = new TFileDialogComponent(QStringLiteral("OpenDialog1"), this);
    OpenDialog1->Dialog.Filter = QStringLiteral("Quillery Files|*.clp");
}
