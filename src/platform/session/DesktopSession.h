#pragma once

#include <QProcessEnvironment>
#include <QStringList>

// What this desktop session is, found once at start: which display servers the program can
// reach, which desktop it is, and what its compositor and portal offer.
struct TDesktopSession {
    bool XServer = false; // DISPLAY: an X server, or a Wayland desktop's XWayland
    bool Wayland = false; // WAYLAND_DISPLAY
    QStringList Desktops; // XDG_CURRENT_DESKTOP, in lower case: "kde", "gnome", "sway", ...
    int KdeVersion = 0;   // KDE_SESSION_VERSION, 0 when not KDE

    // Looked for on a Wayland desktop only.
    bool ExtDataControl = false;
    bool WlrDataControl = false;
    bool VirtualKeyboard = false;
    bool PortalShortcuts = false;
    bool PortalRemoteDesktop = false;

    // The environment's part; the rest is found by asking the desktop.
    static TDesktopSession FromEnvironment(const QProcessEnvironment& env);
    bool IsDesktop(const char* name) const { return Desktops.contains(QLatin1String(name)); }
};

// The services chosen for a session: a pure function of what was found.
struct TServiceChoice {
    enum class TWindow { Xcb, Wayland };
    enum class TClipboard { X11, DataControl };
    enum class THotKeys { X11, PortalInSession, PortalBind, None };
    enum class TPaste { X11, VirtualKeyboard, Portal, None };
    TWindow Window = TWindow::Xcb;
    TClipboard Clipboard = TClipboard::X11;
    bool RecordsWithoutFocus = true; // every copy, whatever window has the focus
    THotKeys HotKeys = THotKeys::X11;
    TPaste Paste = TPaste::X11;

    bool operator==(const TServiceChoice&) const = default;
};

TServiceChoice ChooseServices(const TDesktopSession& session);
