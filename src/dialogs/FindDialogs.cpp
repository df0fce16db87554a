#include "FindDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
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

QPushButton* Button(QDialogButtonBox* buttons, const QString& text, const char* name) {
    QPushButton* button = buttons->addButton(text, QDialogButtonBox::ActionRole);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}
} // namespace

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent), edtFind(TextBox(this, "edtFind")) {
    setObjectName(QStringLiteral("FindDialog1"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Fi&nd what:"), edtFind);
    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    QPushButton* next = Button(buttons, QStringLiteral("&Find Next"), "btnFindNext");
    next->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(next, &QPushButton::clicked, this, &TFindDialog::FindNext);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addWidget(buttons);
}

QString TFindDialog::FindText() const {
    return edtFind->text();
}

TReplaceDialog::TReplaceDialog(QWidget* parent)
    : QDialog(parent), edtFind(TextBox(this, "edtFind")), edtReplace(TextBox(this, "edtReplace")),
      chkMatchCase(new QCheckBox(QStringLiteral("Match &case"), this)) {
    setObjectName(QStringLiteral("ReplaceDialog1"));
    setWindowTitle(QStringLiteral("Replace"));
    setModal(false);
    chkMatchCase->setObjectName(QStringLiteral("chkMatchCase"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Fi&nd what:"), edtFind);
    form->addRow(QStringLiteral("Re&place with:"), edtReplace);
    form->addRow(chkMatchCase);
    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    QPushButton* next = Button(buttons, QStringLiteral("&Find Next"), "btnFindNext");
    QPushButton* one = Button(buttons, QStringLiteral("&Replace"), "btnReplace");
    QPushButton* all = Button(buttons, QStringLiteral("Replace &All"), "btnReplaceAll");
    next->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(next, &QPushButton::clicked, this, &TReplaceDialog::FindNext);
    connect(one, &QPushButton::clicked, this, [this] { emit Replace(false); });
    connect(all, &QPushButton::clicked, this, [this] { emit Replace(true); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addWidget(buttons);
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
