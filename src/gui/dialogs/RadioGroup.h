#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;

// A titled group of radio buttons made from a list of item texts, in columns.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList Items READ Items WRITE SetItems)
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
public:
    explicit TRadioGroup(QWidget* parent = nullptr, int columns = 1);
    QStringList Items() const { return Texts; }
    void SetItems(const QStringList& items);
    int ItemIndex() const;
    void SetItemIndex(int index);

protected:
    // As in every radio group: Tab lands on the chosen button, the arrow keys move the choice.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStringList Texts;
    int Columns;
    QGridLayout* Grid;
    QButtonGroup* Buttons;
};
