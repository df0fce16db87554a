// Minimized, shown, rolled up; on top or not.
#include "core/config/Config.h"
#include "fMain.h"

#include <QAction>
#include <QEvent>
#include <QMenuBar>
#include <QWindow>

namespace {
// A window this short shows nothing but its title bar.
constexpr int RolledUpBelow = 34;
} // namespace

// Hiding the taskbar entry is only safe with a tray icon to come back from.
static bool TrayReachable() {
    return Config->Tray && QSystemTrayIcon::isSystemTrayAvailable();
}

void TQuilleryMainForm::MinimizeApplication() {
    // Also right for a window never shown yet (a start minimized).
    if (TrayReachable())
        hide();
    else if (!isMinimized())
        showMinimized();
    AppEvents1Minimize();
}

void TQuilleryMainForm::RestoreApplication() {
    if (!Config->Minimized && isVisible() && !isMinimized())
        return;
    // Back as it was: a maximized window comes back maximized.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    AppEvents1Restore();
}

void TQuilleryMainForm::ToggleShowHide() {
    if (Config->Minimized) {
        RestoreApplication();
        raise();
        activateWindow();
    } else {
        MinimizeApplication();
    }
}

void TQuilleryMainForm::AppEvents1Minimize() {
    Config->Minimized = true;
    if (TrayReachable() && isVisible())
        hide();
}

void TQuilleryMainForm::AppEvents1Restore() {
    Config->Minimized = false;
}

void TQuilleryMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    // Minimized or restored from the window manager: the title bar's button, the taskbar.
    if (isMinimized() && !Config->Minimized)
        AppEvents1Minimize();
    else if (!isMinimized() && isVisible() && Config->Minimized)
        AppEvents1Restore();
}

void TQuilleryMainForm::Minimize1Click() {
    MinimizeApplication();
}

void TQuilleryMainForm::StayOnTop1Click() {
    Config->OnTop = StayOnTop1->isChecked();
    SetTopmost(Config->OnTop);
}

void TQuilleryMainForm::SetTopmost(bool on) {
    // A shown window changes its state in place; a widget flag change would hide it.
    if (QWindow* window = windowHandle())
        window->setFlag(Qt::WindowStaysOnTopHint, on);
    else
        setWindowFlag(Qt::WindowStaysOnTopHint, on);
}

bool TQuilleryMainForm::IsTopmost() const {
    const QWindow* window = windowHandle();
    return window ? bool(window->flags() & Qt::WindowStaysOnTopHint)
                  : bool(windowFlags() & Qt::WindowStaysOnTopHint);
}

bool TQuilleryMainForm::IsRolledUp() const {
    return centralWidget()->isHidden();
}

void TQuilleryMainForm::RollUp1Click() {
    if (IsRolledUp() || height() < RolledUpBelow) {
        menuBar()->show();
        centralWidget()->show();
        resize(width(), Config->Height);
        return;
    }
    Config->Height = height();
    menuBar()->hide();
    centralWidget()->hide();
    setMinimumHeight(0);
    resize(width(), 1);
}
