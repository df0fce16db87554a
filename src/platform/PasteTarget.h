#pragma once

#include <QtGlobal>

// The window the user works in, and asking it to paste.
class IPasteTarget {
public:
    virtual ~IPasteTarget() = default;
    // The highest visible top-level window that is not kept above the others; 0 when none.
    virtual quint64 FindPasteWindow() = 0;
    // Asks the window to paste the clipboard's text at its caret. Returns at once; the paste
    // happens once the user has let go of the hot key.
    virtual void Paste(quint64 window) = 0;
};
