#pragma once

#include "platform/Clipboard.h"
#include "platform/HotKeys.h"
#include "platform/PasteTarget.h"
#include "platform/Sound.h"

#include <memory>

// The desktop's services for this session, chosen at start: the clipboard through Wayland's
// data-control protocol where the desktop offers it (a clipboard manager's own way there:
// every copy, whatever window has the focus), else through X11 (on a Wayland desktop, through
// XWayland). Hot keys, pasting and sound go through X11.
class TDesktopServices {
public:
    TDesktopServices();
    ~TDesktopServices();

    IClipboard& Clipboard() { return *Board; }
    ISound& Sound() { return *Beeper; }
    IHotKeys& HotKeys() { return *Keys; }
    IPasteTarget& PasteTarget() { return *Target; }
    bool WaylandClipboard() const { return OnWayland; }

private:
    std::unique_ptr<IClipboard> Board;
    std::unique_ptr<ISound> Beeper;
    std::unique_ptr<IHotKeys> Keys;
    std::unique_ptr<IPasteTarget> Target;
    bool OnWayland = false;
};
