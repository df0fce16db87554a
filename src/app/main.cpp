#include "config/DesktopEntries.h"
#include "core/Errors.h"
#include "core/NativeNames.h"
#include "dialogs/DesktopShell.h"
#include "dialogs/QtPrompts.h"
#include "main/InstanceLock.h"
#include "main/ProgramStart.h"
#include "platform/DesktopServices.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // The window is an X11 one: on a Wayland desktop it runs through XWayland, its clipboard
    // through Wayland where the desktop allows (TDesktopServices). Without an X server, the
    // window is a Wayland one: what X11 alone offers (hot keys, pasting, placing the window)
    // is then missing, and nothing else.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") &&
                                           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                                       ? "wayland"
                                       : "xcb");
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

    TDesktopServices desktop;
    TDesktopShell shell;
    // From argv, which QApplication has rid of its own options: a file name that is not UTF-8
    // keeps its bytes.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(NativeNames::Decode(QByteArray(argv[i])));
    return RunQuillery(app,
                       {desktop.Clipboard(), desktop.Sound(), prompts, desktop.HotKeys(),
                        desktop.PasteTarget(), shell},
                       arguments);
}
