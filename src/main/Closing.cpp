// Closing the main window: to the tray, or for real with the list and settings saved.
#include "config/Config.h"
#include "main/fMain.h"

#include <QCloseEvent>
#include <QSystemTrayIcon>

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

void TQuilleryMainForm::MinimizeApplication() {
    Config->Minimized = true;
    // Without a tray to come back from, the taskbar entry must stay.
    if (TrayIcon1->isVisible())
        hide();
    else
        showMinimized();
}
