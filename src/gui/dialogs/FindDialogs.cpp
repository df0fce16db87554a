#include "FindDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int MaxText = 255;

QLineEdit* TextBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaxLength(MaxText);
    box->setMinimumWidth(220);
    return box;
}

QPushButton* Button(QDialogButtonBox* buttons, const char* name,
                    QDialogButtonBox::ButtonRole role = QDialogButtonBox::ActionRole) {
    QPushButton* button = buttons->addButton(QString(), role);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QLabel* Label(QWidget* parent, QWidget* buddy) {
    auto* label = new QLabel(parent);
    label->setBuddy(buddy);
    return label;
}

// The text boxes and check box at the left, the buttons in a column at the right.
QDialogButtonBox* Lay(QDialog* dialog, QFormLayout* form) {
    auto* buttons = new QDialogButtonBox(Qt::Vertical, dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::hide);
    auto* layout = new QHBoxLayout(dialog);
    layout->addLayout(form, 1);
    layout->addWidget(buttons);
    return buttons;
}
} // namespace

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent), edtFind(TextBox(this, "edtFind")) {
    setObjectName(QStringLiteral("FindDialog1"));
    setModal(false);
    lblFind = Label(this, edtFind);
    auto* form = new QFormLayout;
    form->addRow(lblFind, edtFind);
    QDialogButtonBox* buttons = Lay(this, form);
    btnFindNext = Button(buttons, "btnFindNext");
    btnFindNext->setDefault(true);
    btnCancel = Button(buttons, "btnCancel", QDialogButtonBox::RejectRole);
    connect(btnFindNext, &QPushButton::clicked, this, &TFindDialog::FindNext);
    Translate([](const QString& text) { return text; });
}

void TFindDialog::Translate(const TTranslator& tr) {
    setWindowTitle(tr(QStringLiteral("Find")));
    lblFind->setText(tr(QStringLiteral("Fi&nd what:")));
    btnFindNext->setText(tr(QStringLiteral("&Find Next")));
    btnCancel->setText(tr(QStringLiteral("Cancel")));
}

QString TFindDialog::FindText() const {
    return edtFind->text();
}

TReplaceDialog::TReplaceDialog(QWidget* parent)
    : QDialog(parent), edtFind(TextBox(this, "edtFind")), edtReplace(TextBox(this, "edtReplace")),
      chkMatchCase(new QCheckBox(this)) {
    setObjectName(QStringLiteral("ReplaceDialog1"));
    setModal(false);
    chkMatchCase->setObjectName(QStringLiteral("chkMatchCase"));
    lblFind = Label(this, edtFind);
    lblReplace = Label(this, edtReplace);
    auto* form = new QFormLayout;
    form->addRow(lblFind, edtFind);
    form->addRow(lblReplace, edtReplace);
    form->addRow(chkMatchCase);
    QDialogButtonBox* buttons = Lay(this, form);
    btnFindNext = Button(buttons, "btnFindNext");
    btnReplace = Button(buttons, "btnReplace");
    btnReplaceAll = Button(buttons, "btnReplaceAll");
    btnCancel = Button(buttons, "btnCancel", QDialogButtonBox::RejectRole);
    btnFindNext->setDefault(true);
    connect(btnFindNext, &QPushButton::clicked, this, &TReplaceDialog::FindNext);
    connect(btnReplace, &QPushButton::clicked, this, [this] { emit Replace(false); });
    connect(btnReplaceAll, &QPushButton::clicked, this, [this] { emit Replace(true); });
    Translate([](const QString& text) { return text; });
}

void TReplaceDialog::Translate(const TTranslator& tr) {
    setWindowTitle(tr(QStringLiteral("Replace")));
    lblFind->setText(tr(QStringLiteral("Fi&nd what:")));
    lblReplace->setText(tr(QStringLiteral("Re&place with:")));
    chkMatchCase->setText(tr(QStringLiteral("Match &case")));
    btnFindNext->setText(tr(QStringLiteral("&Find Next")));
    btnReplace->setText(tr(QStringLiteral("&Replace")));
    btnReplaceAll->setText(tr(QStringLiteral("Replace &All")));
    btnCancel->setText(tr(QStringLiteral("Cancel")));
}

QString TReplaceDialog::FindText() const {
    return edtFind->text();
}

QString TReplaceDialog::ReplaceText() const {
    return edtReplace->text();
}

bool TReplaceDialog::MatchCase() const {
    return chkMatchCase->isChecked();
}
