#pragma once

#include "platform/Clipboard.h"
#include "platform/HotKeys.h"
#include "platform/PasteTarget.h"
#include "platform/Sound.h"
#include "platform/session/DesktopSession.h"

#include <memory>

// The desktop's services for this session, chosen at start: the clipboard through Wayland's
// data-control protocol where the desktop offers it (a clipboard manager's own way there:
// every copy, whatever window has the focus), else through X11 (on a Wayland desktop, through
// XWayland). On X11, hot keys and pasting go through X11; on a Wayland desktop, hot keys
// through the desktop portal where it offers them, pasting through the program's own virtual
// keyboard (wlroots) or the portal's remote desktop. Sound goes through X11.
class TDesktopServices {
public:
    // session: what the environment shows; the rest is asked of the desktop here.
    explicit TDesktopServices(TDesktopSession session);
    ~TDesktopServices();

    IClipboard& Clipboard() { return *Board; }
    ISound& Sound() { return *Beeper; }
    IHotKeys& HotKeys() { return *Keys; }
    IPasteTarget& PasteTarget() { return *Target; }
    const TServiceChoice& Choice() const { return Chosen; }

private:
    std::unique_ptr<IClipboard> Board;
    std::unique_ptr<ISound> Beeper;
    std::unique_ptr<IHotKeys> Keys;
    std::unique_ptr<IPasteTarget> Target;
    TServiceChoice Chosen;
};
