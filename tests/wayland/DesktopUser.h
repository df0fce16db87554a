#pragma once

// Commands run as the desktop's user: the portal and the accessibility bus serve only that
// user's programs. Qt Core only, for the benchmarks too.
#include <QStringList>

namespace WaylandDesktop {

// setpriv's arguments that run a command as the desktop's user.
inline const QStringList AsDesktopUser{"--reuid=nobody", "--regid=nogroup", "--clear-groups"};

// setpriv's arguments that run the program as the desktop's user, from a folder of its own, in
// the session's environment and on the window platform given. setpriv execs the program
// itself, so that a signal sent to it reaches the program.
inline QStringList ProgramAsDesktopUser(const QString& folder, const QString& program,
                                        const QString& platform = "xcb") {
    QStringList command = AsDesktopUser;
    command << "env"
            << "-i"
            << "HOME=" + folder << "XDG_RUNTIME_DIR=" + folder << "QT_QPA_PLATFORM=" + platform;
    for (const char* name : {"DBUS_SESSION_BUS_ADDRESS", "WAYLAND_DISPLAY", "DISPLAY", "XAUTHORITY",
                             "XDG_CURRENT_DESKTOP", "KDE_SESSION_VERSION", "XDG_SESSION_TYPE"})
        if (qEnvironmentVariableIsSet(name))
            command << QString::fromLatin1(name) + '=' + qEnvironmentVariable(name);
    return command << program;
}

} // namespace WaylandDesktop
