#include "DesktopServices.h"

#include "NoServices.h"
#include "platform/portal/Portal.h"
#include "platform/portal/PortalPaste.h"
#include "platform/portal/PortalShortcuts.h"
#include "platform/wayland/WaylandClipboard.h"
#include "platform/wayland/WaylandPasteTarget.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11HotKeys.h"
#include "platform/x11/X11PasteTarget.h"
#include "platform/x11/X11Sound.h"

#include <QStandardPaths>

namespace {
// What the desktop offers, asked of its compositor and portal; the portal's remote desktop
// only where no keyboard of the program's own can paste (asking may start the portal).
void AskTheDesktop(TDesktopSession& session, TWaylandClipboard& board) {
    session.ExtDataControl = board.IsConnected() && board.ExtDataControl();
    session.WlrDataControl = board.IsConnected() && !board.ExtDataControl();
    session.VirtualKeyboard = board.CanType();
    session.PortalShortcuts = Portal::Offers(QLatin1String(TPortalShortcuts::Interface));
    if (!session.VirtualKeyboard)
        session.PortalRemoteDesktop = Portal::Offers(QLatin1String(TPortalPaste::Interface));
}

std::unique_ptr<IHotKeys> HotKeysFor(TServiceChoice::THotKeys way) {
    using K = TServiceChoice::THotKeys;
    switch (way) {
    case K::X11:
        return std::make_unique<TX11HotKeys>();
    case K::PortalInSession:
    case K::PortalBind:
        return std::make_unique<TPortalShortcuts>(way == K::PortalInSession);
    case K::None:
        break;
    }
    return std::make_unique<TNoHotKeys>();
}

std::unique_ptr<IPasteTarget> PasteTargetFor(TServiceChoice::TPaste way, TWaylandClipboard* board) {
    using P = TServiceChoice::TPaste;
    switch (way) {
    case P::X11:
        return std::make_unique<TX11PasteTarget>();
    case P::VirtualKeyboard:
        return std::make_unique<TWaylandPasteTarget>(*board);
    case P::Portal:
        return std::make_unique<TPortalPaste>(
            QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
            QStringLiteral("/remote-desktop-token"));
    case P::None:
        break;
    }
    return std::make_unique<TNoPasting>();
}
} // namespace

TDesktopServices::TDesktopServices(TDesktopSession session)
    : Beeper(std::make_unique<TX11Sound>()) {
    std::unique_ptr<TWaylandClipboard> wayland;
    if (session.Wayland) {
        wayland = std::make_unique<TWaylandClipboard>();
        AskTheDesktop(session, *wayland);
    }
    Chosen = ChooseServices(session);
    Keys = HotKeysFor(Chosen.HotKeys);
    Target = PasteTargetFor(Chosen.Paste, wayland.get());
    // The program's own keyboard is the data-control connection's: kept with the clipboard.
    if (Chosen.Clipboard == TServiceChoice::TClipboard::DataControl)
        Board = std::move(wayland);
    else
        Board = std::make_unique<TX11Clipboard>(Chosen.RecordsWithoutFocus);
}

TDesktopServices::~TDesktopServices() = default;
