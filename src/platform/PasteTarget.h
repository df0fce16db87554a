#pragma once

#include <QObject>

// The window the user works in, and asking it to paste.
class IPasteTarget : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Where the desktop pastes into whatever window has the keyboard focus (a Wayland program
    // may not look at other windows), the one window there is.
    static constexpr quint64 FocusedWindow = 1;
    // The highest visible top-level window that is not kept above the others; 0 when none.
    virtual quint64 FindPasteWindow() = 0;
    // Asks the window to paste the clipboard's text at its caret. Returns at once; Done
    // follows when the window has taken the text (or could not be asked), and only then may
    // the clipboard change again.
    virtual void Paste(quint64 window) = 0;
    // The window is still there and shown (not closed since it was found).
    virtual bool IsOpen(quint64 window) = 0;
    // The desktop lets the program paste at all; where not, a clip is put on the clipboard
    // for the user to paste.
    virtual bool CanPaste() const { return true; }

signals:
    void Done();
};
