#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The modeless find dialog: a text and Find Next. Only what the search honours is offered:
// it goes down from the current clip and compares bytes exactly.
class TFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFindDialog(QWidget* parent);
    QString FindText() const;
    QLineEdit* edtFind;

signals:
    void FindNext();
};

// The modeless replace dialog: find what, replace with, Match case, and its buttons.
class TReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit TReplaceDialog(QWidget* parent);
    QString FindText() const;
    QString ReplaceText() const;
    bool MatchCase() const;
    QLineEdit* edtFind;
    QLineEdit* edtReplace;
    QCheckBox* chkMatchCase;

signals:
    void FindNext();
    void Replace(bool all);
};
