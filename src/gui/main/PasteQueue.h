#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>

#include <functional>

class IPasteTarget;

// Hot-key pastes, each into the window that was the user's when its key went down: the next
// clip goes on the clipboard only once that window has taken the one before. A press for a
// window closed since, or one that waited too long, is dropped: it is no wish to paste into
// whatever window is there now.
class TPasteQueue {
public:
    // putOnClipboard writes a clip as the program's own write (not recorded).
    TPasteQueue(IPasteTarget& target, std::function<void(const QByteArray&)> putOnClipboard);

    // Each returns how many waiting presses it dropped.
    int Add(const QByteArray& text);
    int Done(); // the window took its paste

    int MaxWaitMs = 5000; // a press waiting longer for its turn is dropped

private:
    int Next();

    struct TPending {
        QByteArray Text;
        quint64 Window; // the user's window when the key went down
        QElapsedTimer Pressed;
    };
    IPasteTarget& Target;
    std::function<void(const QByteArray&)> PutOnClipboard;
    QList<TPending> Pending; // not yet handed to their window
    bool Pasting = false;
};
