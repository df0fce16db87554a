// Closing the main window: to the tray, or for real with the list and settings saved.
#include "config/Config.h"
#include "main/fMain.h"

#include <QCloseEvent>

void TQuilleryMainForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery() || !Guarded([this] { FormClose(); })) {
        event->ignore();
        return;
    }
    event->accept();
    emit FormClosed();
}

bool TQuilleryMainForm::FormCloseQuery() {
    if (!Config->Tray)
        return true;
    MinimizeApplication();
    return CloseAllowed;
}

void TQuilleryMainForm::FormClose() {
    ReleaseHotKeys();
    ExitSaveStep(Interactive);
    Config->Left = x();
    Config->Top = y();
    Config->Width = width();
    Config->Height = height();
    Config->SaveToIni();
}

bool TQuilleryMainForm::EndSession(bool interactive) {
    CloseAllowed = true;
    Interactive = interactive;
    const bool closed = close();
    Interactive = true;
    return closed;
}
