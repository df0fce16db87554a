#include "ProgramStart.h"

#include "gui/dialogs/AppIcons.h"

#include "core/config/Config.h"
#include "core/start/TerminationSignals.h"
#include "fMain.h"
#include "gui/dialogs/Splash.h"
#include "remote/CommandServer.h"

#include <QApplication>
#include <QPointer>
#include <QSessionManager>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {
// The window while the program runs. The toolkit ends the process with exit() when the X
// server goes away; the list is saved on the way out.
TQuilleryMainForm* LiveForm = nullptr;

void SaveOnExit() {
    if (LiveForm)
        std::exchange(LiveForm, nullptr)->EndWithoutDisplay();
}

// Actions from later starts of the program. Where another instance answers already (a copy
// the user chose to start), it goes on doing so.
void ServeActions(TQuilleryMainForm& form) {
    auto* server = new TCommandServer(
        [&form](const CommandChannel::TRequest& request) { return form.RunAction(request); },
        &form);
    QString reason;
    if (!server->Listen(CommandChannel::SocketPath(), &reason)) {
        std::fprintf(stderr, "quillery: actions from the command line are not taken: %s\n",
                     qPrintable(reason));
        delete server;
    }
}
} // namespace

// Only No ends the program: closing the question goes on starting, as Yes does.
bool MayStartAnotherCopy(IPrompts& prompts) {
    return prompts.Ask(QStringLiteral("Confirm"),
                       QStringLiteral("Quillery is already running, Are you sure you want to "
                                      "start another copy?"),
                       TButtons::YesNo) != TAnswer::No;
}

int RunQuillery(QApplication& app, TPlatform platform, const QString& fileArgument,
                TTerminationSignals& terminations) {
    // The program ends only when the main window really closes: message boxes shown during
    // start-up or while it sits in the tray must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    // A termination signal during start (the splash, a box waiting for an answer) ends the
    // program as soon as its window exists.
    TQuilleryMainForm* started = nullptr;
    const QObject running; // the connection ends with this function
    QObject::connect(&terminations, &TTerminationSignals::Requested, &running, [&] {
        if (started)
            started->Terminate();
        else
            platform.Prompts.Withdraw(true);
    });
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
        static const bool saveOnExit = std::atexit(SaveOnExit) == 0;
        LiveForm = saveOnExit ? &form : nullptr;
        if (!fileArgument.isEmpty())
            form.AutoOpenFile(fileArgument);
        if (splash)
            splash->close();
        ServeActions(form);

        // exit, not quit: quit would ask every window to close once more.
        QObject::connect(&form, &TQuilleryMainForm::FormClosed, &app,
                         [] { QCoreApplication::exit(0); });
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &form,
                         [&form](QSessionManager& manager) {
                             if (!form.EndSession(manager.allowsInteraction()))
                                 manager.cancel();
                         });
        if (config.Minimized)
            form.MinimizeApplication();
        else
            form.show();
        started = &form;
        if (terminations.Received())
            form.Terminate();
        result = QApplication::exec();
        started = LiveForm = nullptr;
    }
    Config = nullptr;
    return result;
}
