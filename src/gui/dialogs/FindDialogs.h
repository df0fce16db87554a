#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Turns an English text of the dialogs into the current language's.
using TTranslator = std::function<QString(const QString&)>;

// The modeless find dialog: a text and Find Next. Only what the search honours is offered:
// it goes down from the current clip and compares bytes exactly.
class TFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFindDialog(QWidget* parent);
    void Translate(const TTranslator& tr);
    QString FindText() const;
    QLineEdit* edtFind;

signals:
    void FindNext();

private:
    QLabel* lblFind;
    QPushButton* btnFindNext;
    QPushButton* btnCancel;
};

// The modeless replace dialog: find what, replace with, Match case, and its buttons.
class TReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit TReplaceDialog(QWidget* parent);
    void Translate(const TTranslator& tr);
    QString FindText() const;
    QString ReplaceText() const;
    bool MatchCase() const;
    QLineEdit* edtFind;
    QLineEdit* edtReplace;
    QCheckBox* chkMatchCase;

signals:
    void FindNext();
    void Replace(bool all);

private:
    QLabel *lblFind, *lblReplace;
    QPushButton *btnFindNext, *btnReplace, *btnReplaceAll, *btnCancel;
};
