#include "RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

TRadioGroup::TRadioGroup(QWidget* parent, int columns)
    : QGroupBox(parent), Columns(std::max(columns, 1)), Grid(new QGridLayout(this)),
      Buttons(new QButtonGroup(this)) {}

void TRadioGroup::SetItems(const QStringList& items) {
    // The choice stays on the same position when the texts change (a translation), and the
    // buttons that stay keep their place in the tab order.
    const int index = ItemIndex();
    const QList<QAbstractButton*> old = Buttons->buttons();
    for (qsizetype i = items.size(); i < old.size(); ++i) {
        Buttons->removeButton(old[i]);
        delete old[i];
    }
    Texts = items;
    for (int i = 0; i < Texts.size(); ++i) {
        if (i < old.size()) {
            old[i]->setText(Texts[i]);
            continue;
        }
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
