#pragma once

#include "platform/PasteTarget.h"

#include <QTimer>

class TWaylandClipboard;

// Pasting on a wlroots desktop: Ctrl+V typed on the program's own virtual keyboard, into the
// window that has the keyboard focus (a Wayland program may not look at other windows: the
// desktop knows which one it is). The paste is done when a program has read the clip.
class TWaylandPasteTarget : public IPasteTarget {
    Q_OBJECT
public:
    explicit TWaylandPasteTarget(TWaylandClipboard& board, QObject* parent = nullptr);
    quint64 FindPasteWindow() override { return FocusedWindow; }
    void Paste(quint64 window) override;
    bool IsOpen(quint64) override { return true; }

private:
    TWaylandClipboard& Board;
    QTimer Fetch; // a window that reads nothing this long takes no paste
};
