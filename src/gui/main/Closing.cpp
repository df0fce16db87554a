// Closing the main window: to the tray, or for real with the list and settings saved.
#include "core/Errors.h"
#include "core/config/Config.h"
#include "fMain.h"
#include "gui/grid/DragSource.h"

#include <QCloseEvent>
#include <QTimer>

void TQuilleryMainForm::closeEvent(QCloseEvent* event) {
    if (HasClosed)
        return; // a second signal while the program ends
    Closing = true;
    const bool closed = FormCloseQuery() && Guarded([this] { FormClose(); });
    Closing = false;
    // A failed step keeps a user's program open; at the session's end it ends all the same,
    // after a last try where nothing needs a user (its errors go to standard error).
    if (!closed && Terminating && CloseAllowed) {
        Guarded([this] { ExitSaveStep(false); });
        SaveSettingsAtExit();
    } else if (!closed) {
        event->ignore();
        return;
    }
    event->accept();
    HasClosed = true;
    emit FormClosed();
}

void TQuilleryMainForm::Terminate() {
    if (HasClosed)
        return;
    Terminating = true;
    CloseAllowed = true;
    Platform.Prompts.Withdraw(true); // a box on the screen can no longer be answered
    if (Closing)
        return; // the close under way goes on without a user
    // Once the closed boxes' own loops have returned.
    QTimer::singleShot(0, this, [this] { EndSession(false); });
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
        ExitSaveStep(Interactive && !Terminating);
    } catch (...) {
        // The list could not be saved: the program runs on, hot keys and all, so that the
        // user can save it elsewhere.
        RegisterHotKeys();
        throw;
    }
    SaveSettingsAtExit();
}

void TQuilleryMainForm::SaveSettingsAtExit() {
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
        if (Interactive && !Terminating)
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

// The display is gone (the X server ended or crashed) and the program is being ended from
// inside the toolkit: nothing may be drawn or asked, and no X call made. The list goes where
// the exit save would put it, as at a session's end, and the settings are kept.
void TQuilleryMainForm::EndWithoutDisplay() {
    if (HasClosed)
        return;
    HasClosed = true;
    Terminating = CloseAllowed = true;
    Interactive = false;
    Platform.Prompts.Withdraw(false);
    try {
        ExitSaveStep(false);
    } catch (const EQuillery& e) {
        qWarning("Quillery: %s", qPrintable(e.Message()));
    }
    SaveSettingsAtExit();
    Drag->RemoveScrap(); // the dragged clip's file goes too
}
