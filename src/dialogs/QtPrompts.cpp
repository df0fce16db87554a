#include "QtPrompts.h"

#include <QApplication>
#include <QMessageBox>

void TQtPrompts::ShowMessage(const QString& text) {
    QMessageBox::information(Owner, QApplication::applicationDisplayName(), text);
}

void TQtPrompts::ShowError(const QString& text) {
    QMessageBox::critical(Owner, QApplication::applicationDisplayName(), text);
}

TAnswer TQtPrompts::Ask(const QString& caption, const QString& text, TButtons buttons) {
    using B = QMessageBox::StandardButton;
    const bool yesNo = buttons == TButtons::YesNo;
    const QMessageBox::StandardButtons offered =
        buttons == TButtons::Ok ? B::Ok : (yesNo ? B::Yes | B::No : B::Ok | B::Cancel);
    const auto answer = QMessageBox::question(Owner, caption, text, offered);
    switch (answer) {
    case B::Yes:
        return TAnswer::Yes;
    case B::No:
        return TAnswer::No;
    case B::Ok:
        return TAnswer::Ok;
    default:
        return yesNo ? TAnswer::No : TAnswer::Cancel;
    }
}
