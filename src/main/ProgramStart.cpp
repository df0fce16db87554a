#include "ProgramStart.h"

#include "AppIcons.h"

#include "TerminationSignals.h"
#include "config/Config.h"
#include "dialogs/Splash.h"
#include "main/fMain.h"

#include <QApplication>
#include <QPointer>
#include <QSessionManager>

// Only No ends the program: closing the question goes on starting, as Yes does.
bool MayStartAnotherCopy(IPrompts& prompts) {
    return prompts.Ask(QStringLiteral("Confirm"),
                       QStringLiteral("Quillery is already running, Are you sure you want to "
                                      "start another copy?"),
                       TButtons::YesNo) != TAnswer::No;
}

int RunQuillery(QApplication& app, TPlatform platform, const QStringList& arguments) {
    // The program ends only when the main window really closes: message boxes shown during
    // start-up or while it sits in the tray must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    const TProgramFolders folders = TProgramFolders::Decide(QCoreApplication::applicationDirPath());
    TConfig config(folders.Settings, folders.Data);
    Config = &config;
    config.LoadFromIni();

    QPointer<TfrmSplash> splash;
    if (config.Splash) {
        splash = new TfrmSplash;
        splash->ShowNow();
    }
    QApplication::setApplicationDisplayName(QStringLiteral("Quillery"));
    QApplication::setWindowIcon(AppIcons::Normal()); // every window's, dialogs and help too

    int result = 0;
    {
        TQuilleryMainForm form(folders, platform);
        const QString fileArgument = arguments.value(1);
        if (!fileArgument.isEmpty())
            form.AutoOpenFile(fileArgument);
        if (splash)
            splash->close();

        // exit, not quit: quit would ask every window to close once more.
        QObject::connect(&form, &TQuilleryMainForm::FormClosed, &app,
                         [] { QCoreApplication::exit(0); });
        TTerminationSignals terminations;
        QObject::connect(&terminations, &TTerminationSignals::Requested, &form,
                         [&form] { form.EndSession(false); });
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &form,
                         [&form](QSessionManager& manager) {
                             if (!form.EndSession(manager.allowsInteraction()))
                                 manager.cancel();
                         });
        if (config.Minimized)
            form.MinimizeApplication();
        else
            form.show();
        result = QApplication::exec();
    }
    Config = nullptr;
    return result;
}
