#include "DesktopServices.h"

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
// A Wayland desktop, whatever the window runs on.
bool WaylandSession() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

class TNoHotKeys : public IHotKeys {
public:
    bool Register(int, QChar) override { return false; }
    void Unregister(int) override {}
    bool Available() const override { return false; }
};

// The clip goes on the clipboard; the user pastes it.
class TNoPasting : public IPasteTarget {
public:
    quint64 FindPasteWindow() override { return 0; }
    void Paste(quint64) override { emit Done(); }
    bool IsOpen(quint64) override { return false; }
    bool CanPaste() const override { return false; }
};

std::unique_ptr<TWaylandClipboard> WaylandBoard() {
    if (!WaylandSession())
        return nullptr;
    auto board = std::make_unique<TWaylandClipboard>();
    return board->IsConnected() ? std::move(board) : nullptr;
}

// On a Wayland desktop, X11 key grabs and typed keys reach only XWayland windows, and only
// while one has the focus: the portal's shortcuts there, or none (the user binds commands).
std::unique_ptr<IHotKeys> ChooseHotKeys() {
    if (!WaylandSession())
        return std::make_unique<TX11HotKeys>();
    if (Portal::Offers(QLatin1String(TPortalShortcuts::Interface)))
        return std::make_unique<TPortalShortcuts>();
    return std::make_unique<TNoHotKeys>();
}

std::unique_ptr<IPasteTarget> ChoosePasteTarget(TWaylandClipboard* board) {
    if (!WaylandSession())
        return std::make_unique<TX11PasteTarget>();
    if (board && board->CanType())
        return std::make_unique<TWaylandPasteTarget>(*board);
    if (Portal::Offers(QLatin1String(TPortalPaste::Interface)))
        return std::make_unique<TPortalPaste>(
            QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
            QStringLiteral("/remote-desktop-token"));
    return std::make_unique<TNoPasting>();
}
} // namespace

TDesktopServices::TDesktopServices()
    : Beeper(std::make_unique<TX11Sound>()), Keys(ChooseHotKeys()) {
    std::unique_ptr<TWaylandClipboard> wayland = WaylandBoard();
    Target = ChoosePasteTarget(wayland.get());
    OnWayland = wayland != nullptr;
    Board = OnWayland ? std::unique_ptr<IClipboard>(std::move(wayland))
                      : std::make_unique<TX11Clipboard>();
}

TDesktopServices::~TDesktopServices() = default;
