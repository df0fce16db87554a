#include "core/Errors.h"
#include "core/config/DesktopEntries.h"
#include "core/files/NativeNames.h"
#include "core/start/CommandLine.h"
#include "core/start/InstanceLock.h"
#include "core/start/TerminationSignals.h"
#include "gui/dialogs/DesktopShell.h"
#include "gui/dialogs/QtPrompts.h"
#include "gui/main/ProgramStart.h"
#include "platform/session/DesktopServices.h"
#include "platform/session/DesktopSession.h"
#include "remote/CommandChannel.h"
#include "remote/CommandClient.h"

#include <QApplication>

#include <cstdio>

namespace {
// From argv: a file name that is not UTF-8 keeps its bytes.
QStringList Arguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(NativeNames::Decode(QByteArray(argv[i])));
    return arguments;
}

// Qt's own options (-platform, --style …), which QApplication takes off the command line.
bool HasToolkitOption(const QStringList& arguments) {
    static const QStringList names{"platform",
                                   "platformpluginpath",
                                   "platformtheme",
                                   "plugin",
                                   "display",
                                   "style",
                                   "stylesheet",
                                   "reverse",
                                   "session",
                                   "geometry",
                                   "qwindowgeometry",
                                   "qwindowtitle",
                                   "qwindowicon",
                                   "name",
                                   "title",
                                   "widgetcount",
                                   "nograb",
                                   "dograb",
                                   "sync",
                                   "visual",
                                   "qmljsdebugger"};
    for (QString argument : arguments.mid(1)) {
        if (argument == QStringLiteral("--"))
            break;
        if (argument.startsWith(u'-'))
            argument.remove(0, argument.startsWith(QStringLiteral("--")) ? 2 : 1);
        if (names.contains(argument.section(u'=', 0, 0)))
            return true;
    }
    return false;
}

// A start with an action: no window, no toolkit; the running instance does the work.
int RunAction(int argc, char* argv[], const TCommandLine& command) {
    if (!command.Error.isEmpty()) {
        std::fprintf(stderr, "quillery: %s\n%s\nTry 'quillery --help' for more.\n",
                     qPrintable(command.Error), qPrintable(CommandLineUsage().section('\n', 0, 1)));
        return 2;
    }
    if (command.Action == TAction::Help) {
        std::fputs(qPrintable(CommandLineUsage()), stdout);
        return 0;
    }
    QCoreApplication app(argc, argv);
    const TInstanceLock instance;
    return SendAction(
        command, CommandChannel::SocketPath(),
        [&instance] { return instance.HeldByRunningProcess(); }, stdin, stdout, stderr);
}

// A second copy asks first; only No stops it. An old autostart entry becomes ours before
// anything else starts.
bool MayStart(TQtPrompts& prompts, TInstanceLock& instance) {
    if (!instance.Acquire() && !MayStartAnotherCopy(prompts))
        return false;
    try {
        DesktopEntries::MigrateStartupEntry(QCoreApplication::applicationFilePath());
    } catch (const EQuillery& e) {
        prompts.Ask(QStringLiteral("Exception"), e.Message(), TButtons::OkCancel);
    }
    return true;
}
} // namespace

int main(int argc, char* argv[]) {
    // Before the toolkit starts: an action needs no display, and answers fast.
    const QStringList arguments = Arguments(argc, argv);
    const TCommandLine early = ParseCommandLine(arguments);
    if (early.Action != TAction::None || (!early.Error.isEmpty() && !HasToolkitOption(arguments)))
        return RunAction(argc, argv, early);

    // The window is an X11 one: on a Wayland desktop it runs through XWayland, its clipboard
    // through Wayland where the desktop allows (TDesktopServices). Without an X server, the
    // window is a Wayland one: what X11 alone offers (hot keys, pasting, placing the window)
    // is then missing, and nothing else.
    const TDesktopSession session =
        TDesktopSession::FromEnvironment(QProcessEnvironment::systemEnvironment());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM",
                ChooseServices(session).Window == TServiceChoice::TWindow::Wayland ? "wayland"
                                                                                   : "xcb");
    QApplication app(argc, argv);
    // Taken again from argv, which QApplication has rid of its own options.
    const TCommandLine command = ParseCommandLine(Arguments(argc, argv));
    if (!command.Error.isEmpty())
        return RunAction(argc, argv, command);
    QApplication::setApplicationName(QStringLiteral("Quillery"));
    QGuiApplication::setDesktopFileName(QStringLiteral("dev.quillery.Quillery"));
    TQtPrompts prompts;
    // Before the first box: a termination while one waits ends the program cleanly. Nothing
    // is recorded before the window exists, so it ends without starting.
    TTerminationSignals terminations;
    TInstanceLock instance; // held until the process ends
    {
        const QObject beforeStart;
        QObject::connect(&terminations, &TTerminationSignals::Requested, &beforeStart,
                         [&prompts] { prompts.Withdraw(true); });
        if (!MayStart(prompts, instance) || terminations.Received())
            return 0;
    }

    TDesktopServices desktop(session);
    TDesktopShell shell;
    return RunQuillery(app,
                       {desktop.Clipboard(), desktop.Sound(), prompts, desktop.HotKeys(),
                        desktop.PasteTarget(), shell},
                       command.File, terminations);
}
