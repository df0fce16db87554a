// The tray icon, its menu, archiving on and off, and emptying the clipboard.
#include "core/config/Config.h"
#include "fMain.h"
#include "gui/dialogs/AppIcons.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

void TQuilleryMainForm::CreateTrayMenu() {
    popupTray = new QMenu(this);
    popupTray->setObjectName(QStringLiteral("popupTray"));
    auto add = [this](const char* name, const QString& caption,
                      void (TQuilleryMainForm::*handler)()) {
        QAction* item = popupTray->addAction(
            caption, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
        item->setObjectName(QString::fromLatin1(name));
        return item;
    };
    SuspendClipArchiving2 = add("SuspendClipArchiving2", QStringLiteral("&Suspend Clip Archiving"),
                                &TQuilleryMainForm::SuspendClipArchiving1Click);
    ClearClipboard1 = add("ClearClipboard1", QStringLiteral("C&lear Clipboard"),
                          &TQuilleryMainForm::ClearClipboard1Click);
    StayOnTop1 =
        add("StayOnTop1", QStringLiteral("Stay On &Top"), &TQuilleryMainForm::StayOnTop1Click);
    StayOnTop1->setCheckable(true);
    // A group of one that may be empty: the check shows as a radio bullet.
    auto* bullet = new QActionGroup(popupTray);
    bullet->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    bullet->addAction(StayOnTop1);
    popupTray->addSeparator()->setObjectName(QStringLiteral("N12"));
    Help3 = add("Help3", QStringLiteral("&Help"), &TQuilleryMainForm::Help2Click);
    popupTray->addSeparator()->setObjectName(QStringLiteral("N11"));
    Close2 = add("Close2", QStringLiteral("&Close"), &TQuilleryMainForm::Exit1Click);
    popupTray->addSeparator()->setObjectName(QStringLiteral("N13"));
    Restore2 = add("Restore2", QStringLiteral("&Restore"), &TQuilleryMainForm::Restore1Click);
    popupTray->setDefaultAction(Restore2);

    TrayIcon1 = new QSystemTrayIcon(AppIcons::Normal(), this);
    TrayIcon1->setObjectName(QStringLiteral("TrayIcon1"));
    TrayIcon1->setToolTip(QStringLiteral("Quillery"));
    TrayIcon1->setContextMenu(popupTray);
    connect(TrayIcon1, &QSystemTrayIcon::activated, this, &TQuilleryMainForm::RxTrayIcon1Click);
}

void TQuilleryMainForm::RxTrayIcon1Click(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        ToggleShowHide();
        break;
    case QSystemTrayIcon::DoubleClick: // after the first click's toggle: the default item
        if (Restore2->isEnabled())
            Restore2->trigger();
        break;
    default: // the right button opens the menu by itself; the middle one does nothing
        break;
    }
}

void TQuilleryMainForm::Restore1Click() {
    TrayIcon1Click();
}

void TQuilleryMainForm::TrayIcon1Click() {
    RestoreApplication();
    raise();
    activateWindow();
}

void TQuilleryMainForm::SuspendClipArchiving1Click() {
    Config->NoArc = !Config->NoArc;
    ShowArchivingState();
}

void TQuilleryMainForm::ShowArchivingState() {
    TrayIcon1->setIcon(Config->NoArc ? AppIcons::Suspended() : AppIcons::Normal());
    SuspendClipArchiving2->setText(MessageText(Config->NoArc
                                                   ? QStringLiteral("Re&sume Clip Archiving")
                                                   : QStringLiteral("&Suspend Clip Archiving")));
}

void TQuilleryMainForm::ClearClipboard1Click() {
    Platform.Clipboard.Clear();
    SetTrayHint(QStringLiteral("Quillery - 0 bytes"));
}
