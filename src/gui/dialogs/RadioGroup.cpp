#include "RadioGroup.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QRadioButton>

#include <algorithm>

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
        button->installEventFilter(this);
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

bool TRadioGroup::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<QAbstractButton*>(watched);
    const int count = int(Buttons->buttons().size());
    if (!button || count == 0)
        return false;
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        QAbstractButton* chosen = Buttons->checkedButton();
        if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) && chosen &&
            chosen != button)
            chosen->setFocus(reason);
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    const int step = key == Qt::Key_Down || key == Qt::Key_Right ? 1
                     : key == Qt::Key_Up || key == Qt::Key_Left  ? -1
                                                                 : 0;
    if (step == 0)
        return false;
    const int next = std::clamp(Buttons->id(button) + step, 0, count - 1);
    if (QAbstractButton* target = Buttons->button(next)) {
        target->setChecked(true);
        target->setFocus(Qt::OtherFocusReason);
    }
    return true;
}
