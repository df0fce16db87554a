#include "DesktopSession.h"

TDesktopSession TDesktopSession::FromEnvironment(const QProcessEnvironment& env) {
    TDesktopSession session;
    session.XServer = !env.value(QStringLiteral("DISPLAY")).isEmpty();
    session.Wayland = !env.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
    const QString desktops = env.value(QStringLiteral("XDG_CURRENT_DESKTOP")).toLower();
    session.Desktops = desktops.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (session.IsDesktop("kde"))
        session.KdeVersion = env.value(QStringLiteral("KDE_SESSION_VERSION")).toInt();
    return session;
}

namespace {
using TChoice = TServiceChoice;

// X11 key grabs reach only XWayland windows with the focus: the portal's shortcuts, or the
// user binds a command. Plasma 5 binds the shortcuts named when the session is made and
// ignores a later BindShortcuts.
TChoice::THotKeys HotKeysOn(const TDesktopSession& session) {
    if (!session.PortalShortcuts)
        return TChoice::THotKeys::None;
    return session.KdeVersion == 5 ? TChoice::THotKeys::PortalInSession
                                   : TChoice::THotKeys::PortalBind;
}

// The program's own virtual keyboard needs no question; the portal asks the user.
TChoice::TPaste PasteOn(const TDesktopSession& session, bool dataControl) {
    if (dataControl && session.VirtualKeyboard)
        return TChoice::TPaste::VirtualKeyboard;
    return session.PortalRemoteDesktop ? TChoice::TPaste::Portal : TChoice::TPaste::None;
}
} // namespace

TServiceChoice ChooseServices(const TDesktopSession& session) {
    TChoice choice;
    if (!session.Wayland)
        return choice; // X11 throughout
    choice.Window = session.XServer ? TChoice::TWindow::Xcb : TChoice::TWindow::Wayland;
    const bool dataControl = session.ExtDataControl || session.WlrDataControl;
    choice.Clipboard = dataControl ? TChoice::TClipboard::DataControl : TChoice::TClipboard::X11;
    // GNOME mirrors every Wayland copy to XWayland, focus or not; elsewhere an X11 or
    // Wayland window sees copies only while it has the focus.
    choice.RecordsWithoutFocus = dataControl || (session.XServer && session.IsDesktop("gnome"));
    choice.HotKeys = HotKeysOn(session);
    choice.Paste = PasteOn(session, dataControl);
    return choice;
}
