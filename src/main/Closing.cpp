// Closing the main window: to the tray, or for real with the list and settings saved.
#include "config/Config.h"
#include "main/fMain.h"

#include <QCloseEvent>

void TQuilleryMainForm::closeEvent(QCloseEvent* event) {
    if (HasClosed)
        return; // a second signal while the program ends
    if (!FormCloseQuery() || !Guarded([this] { FormClose(); })) {
        event->ignore();
        return;
    }
    event->accept();
    HasClosed = true;
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
    // A rolled-up window keeps its unrolled height, so the next start is not a title bar.
    if (!IsRolledUp())
        Config->Height = height();
    Config->SaveToIni();
}

bool TQuilleryMainForm::EndSession(bool interactive) {
    if (HasClosed)
        return true;
    CloseAllowed = true;
    Interactive = interactive;
    const bool closed = close();
    Interactive = true;
    return closed;
}
