#include "config/DesktopEntries.h"
#include "core/Errors.h"
#include "core/NativeNames.h"
#include "dialogs/DesktopShell.h"
#include "dialogs/QtPrompts.h"
#include "main/InstanceLock.h"
#include "main/ProgramStart.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11HotKeys.h"
#include "platform/x11/X11PasteTarget.h"
#include "platform/x11/X11Sound.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // An X11 program: on a Wayland session it runs through XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillery"));
    QGuiApplication::setDesktopFileName(QStringLiteral("dev.quillery.Quillery"));
    TQtPrompts prompts;

    // Held until the process ends.
    TInstanceLock instance;
    if (!instance.Acquire() && !MayStartAnotherCopy(prompts))
        return 0;
    // An old autostart entry becomes ours before anything else starts.
    try {
        DesktopEntries::MigrateStartupEntry(QCoreApplication::applicationFilePath());
    } catch (const EQuillery& e) {
        prompts.Ask(QStringLiteral("Exception"), e.Message(), TButtons::OkCancel);
    }

    TX11Clipboard clipboard;
    TX11Sound sound;
    TX11HotKeys hotKeys;
    TX11PasteTarget pasteTarget;
    TDesktopShell shell;
    // From argv, which QApplication has rid of its own options: a file name that is not UTF-8
    // keeps its bytes.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(NativeNames::Decode(QByteArray(argv[i])));
    return RunQuillery(app, {clipboard, sound, prompts, hotKeys, pasteTarget, shell}, arguments);
}
