// Closing the main window: to the tray, or for real with the list and settings saved.
#include "config/Config.h"
#include "main/Errors.h"
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
    try {
        ExitSaveStep(Interactive);
    } catch (...) {
        // The list could not be saved: the program runs on, hot keys and all, so that the
        // user can save it elsewhere.
        RegisterHotKeys();
        throw;
    }
    Config->Left = x();
    Config->Top = y();
    Config->Width = width();
    // A rolled-up window keeps its unrolled height, so the next start is not a title bar.
    if (!IsRolledUp())
        Config->Height = height();
    // The list is safe by now: settings that cannot be written are reported, and the
    // program ends all the same.
    try {
        Config->SaveToIni();
    } catch (const EQuillery& e) {
        if (Interactive)
            Platform.Prompts.ShowError(e.Message());
        else
            qWarning("Quillery: %s", qPrintable(e.Message()));
    }
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
