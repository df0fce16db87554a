#pragma once

#include "platform/Clipboard.h"

#include <QByteArray>
#include <QMetaType>
#include <QThread>

#include <atomic>
#include <deque>
#include <xcb/xcb.h>

// What the clipboard held right after one change of its owner.
struct TSelectionSnapshot {
    quint32 Owner = 0;     // the window that owned the clipboard; 0 when it was emptied
    bool HasText = false;  // a text form was offered and read
    bool Secret = false;   // marked by a password manager
    bool Failed = false;   // the owner did not answer in time
    QByteArray Text;       // UTF-8
    bool TooLarge = false; // a text larger than MaxClipBytes was offered and left unread
};
Q_DECLARE_METATYPE(TSelectionSnapshot)

// Watches the CLIPBOARD selection on a connection of its own and fetches the text of every
// new owner at once, on its own thread. Reading from the UI thread takes two round trips
// after the UI thread gets round to it; a burst of copies outruns that and copies are lost.
class TX11SelectionWatcher : public QThread {
    Q_OBJECT
public:
    explicit TX11SelectionWatcher(QObject* parent = nullptr);
    ~TX11SelectionWatcher() override;

    // Connects to the X server and starts watching; false when that is not possible.
    bool Start();
    // The current owner of the clipboard, asked on the given connection (a round trip).
    // Never ask on the watcher's own connection from another thread: the answer could
    // swallow an event the watcher is waiting for.
    static quint32 CurrentOwner(xcb_connection_t* connection);
    // Changes made by this window are the program's own and are not fetched.
    void SetOwnWindow(quint32 window) { OwnWindow.store(window); }
    // The receiver has taken a change: at most MaxPending wait for it, so that a storm of
    // copies never builds a backlog that holds up the window or its end.
    void Taken() { --Pending; }
    static constexpr int MaxPending = 64;

signals:
    void Changed(const TSelectionSnapshot& snapshot);

protected:
    void run() override;

private:
    bool Oversized = false; // the fetch under way met a text larger than MaxClipBytes
    void HandleOwnerChange(quint32 owner);
    enum class TReply { Data, Refused, Silent };
    TSelectionSnapshot Fetch(quint32 owner);
    void Request(quint32 target, quint32 property);
    TReply Receive(quint32 target, quint32 property, QByteArray& data);
    TReply Convert(quint32 target, quint32 property, QByteArray& data);
    // Reads and deletes a property; a large text sent in pieces is put together unless
    // typeOut is given, which receives the property's type instead.
    bool ReadProperty(quint32 property, QByteArray& data, quint32* typeOut = nullptr);
    bool ReadIncremental(quint32 property, QByteArray& data);
    // Waits for an event that the predicate accepts; other events seen meanwhile are kept.
    template <class Pred> xcb_generic_event_t* WaitFor(Pred accept);
    xcb_generic_event_t* NextEvent(int timeoutMs);
    bool IsOwnerChange(const xcb_generic_event_t* event) const;
    void Defer(xcb_generic_event_t* event);
    bool NewerOwnerChangeWaiting();
    bool WaitForRoom();
    quint32 Atom(const char* name) const;

    xcb_connection_t* Connection = nullptr;
    quint32 Window = 0;
    quint32 Root = 0;
    int XfixesFirstEvent = 0;
    int StopPipe[2] = {-1, -1};
    std::atomic<quint32> OwnWindow{0};
    std::deque<xcb_generic_event_t*> Deferred;
    int DeferredOwnerChanges = 0; // among Deferred
    std::atomic<int> Pending{0};  // changes sent and not yet taken
    struct {
        quint32 Clipboard, Targets, Utf8, String, Text, PlainUtf8, Incr, Hint, PropTargets,
            PropText, PropHint;
    } Atoms{};
};
