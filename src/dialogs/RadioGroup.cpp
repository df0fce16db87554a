#include "RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

TRadioGroup::TRadioGroup(QWidget* parent, int columns)
    : QGroupBox(parent), Columns(std::max(columns, 1)), Grid(new QGridLayout(this)),
      Buttons(new QButtonGroup(this)) {}

void TRadioGroup::SetItems(const QStringList& items) {
    // The choice stays on the same position when the texts change (a translation).
    const int index = ItemIndex();
    for (QAbstractButton* b : Buttons->buttons()) {
        Buttons->removeButton(b);
        delete b;
    }
    Texts = items;
    for (int i = 0; i < Texts.size(); ++i) {
        auto* button = new QRadioButton(Texts[i], this);
        Buttons->addButton(button, i);
        Grid->addWidget(button, i / Columns, i % Columns);
    }
    SetItemIndex(index);
}

int TRadioGroup::ItemIndex() const {
    return Buttons->checkedId();
}

void TRadioGroup::SetItemIndex(int index) {
    if (QAbstractButton* b = Buttons->button(index))
        b->setChecked(true);
}
