#pragma once

#include <QByteArray>
#include <QHash>
#include <QMetaType>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <utility>

struct wl_callback;
struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwlr_data_control_manager_v1;
struct zwlr_data_control_device_v1;
struct zwlr_data_control_offer_v1;
struct zwlr_data_control_source_v1;
class QSocketNotifier;
class TOfferRead;
struct TReadBudget;
class TVirtualKeyboard;

// What the clipboard held after one change: a copy, read whole or left unread.
struct TClipSnapshot {
    bool HasText = false;
    bool Secret = false;   // marked by a password manager: never read
    bool TooLarge = false; // larger than MaxClipBytes: left unread
    QByteArray Text;
};
Q_DECLARE_METATYPE(TClipSnapshot)

// Wayland's data-control protocol on a connection of its own, on the thread this object lives
// on (see TWaylandClipboard): every new selection is read at once, several at a time, and
// handed on in the order of the copies. The program's own clips carry a type of their own, by
// which they are known when the desktop hands them back: they are never handed on.
class TDataControl : public QObject {
    Q_OBJECT
public:
    TDataControl();
    ~TDataControl() override;
    // The types a text comes in, the best first: what wl-paste and GTK ask for first, and the
    // X11 names that XWayland programs use. Clips are offered in all of them.
    static constexpr const char* TextTypes[] = {"text/plain;charset=utf-8", "text/plain",
                                                "UTF8_STRING", "TEXT", "STRING"};

    // How many reads may be in flight; past that the oldest is given up (a flood of copies).
    static constexpr int MaxReads = 64;
    // A round trip this often: a connection that does not answer it by the next is lost.
    static constexpr int PingIntervalMs = 10000;
    static constexpr int MaxRetryMs = 30000;

    // Connects and binds; false where there is no Wayland desktop, or it offers no data control.
    bool Connect();
    // Hands on every copy read so far, in order; the reads still under way are given up.
    void Settle();
    // held is called once the desktop holds the clip (a round trip after it was set), or
    // when the connection goes first.
    void Write(const QByteArray& text, std::function<void()> held);
    void Clear();
    // The desktop lets a program type (wlroots' virtual keyboard).
    bool CanType() const { return KeyboardGlobal != 0; }
    bool OffersExt() const { return ExtGlobal != 0; }
    // Ctrl+V to the window with the keyboard focus, after the clip last written (the same
    // connection: the desktop has the clip before the keys). Fetched follows when a program
    // reads that clip.
    void TypePaste();

    // From the protocol's listeners.
    void Global(wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
    void NewOffer(zwlr_data_control_offer_v1* offer);
    void OfferType(zwlr_data_control_offer_v1* offer, const char* type);
    void DropOffer(zwlr_data_control_offer_v1* offer); // one the program does not read
    void Selection(zwlr_data_control_offer_v1* offer);
    void Send(zwlr_data_control_source_v1* source, const char* type, int fd);
    void Cancelled(zwlr_data_control_source_v1* source);
    void Held(wl_callback* callback);

signals:
    // A change of the clipboard; announce is false for its content at start.
    void Changed(const TClipSnapshot& snapshot, bool announce);
    void Fetched();
    // The connection was lost (false), or made again (true).
    void ConnectionChanged(bool up);

private:
    void BindManager();
    void Dispatch();
    void Flush();
    void ReadDone();
    void Ping();
    void Lost();
    void Disconnect();
    void Reconnect();

    wl_display* Display = nullptr;
    wl_registry* Registry = nullptr;
    wl_seat* Seat = nullptr;
    uint32_t ExtGlobal = 0; // the registry's name of each manager offered
    uint32_t KeyboardGlobal = 0;
    std::pair<uint32_t, uint32_t> WlrGlobal; // and the wlr one's version
    zwlr_data_control_manager_v1* Manager = nullptr;
    zwlr_data_control_device_v1* Device = nullptr;
    QSocketNotifier* Events = nullptr;
    QHash<zwlr_data_control_offer_v1*, QStringList> Offers;  // their types, as announced
    QHash<zwlr_data_control_source_v1*, QByteArray> Sources; // the program's own, served
    std::deque<std::unique_ptr<TOfferRead>> Reads;           // in the order of the copies
    std::unique_ptr<TReadBudget> Budget;
    wl_callback* Pending = nullptr;                       // the round trip not yet answered
    QHash<wl_callback*, std::function<void()>> HeldCalls; // the writes' round trips
    QTimer Pinger;
    QTimer Retry;
    int RetryMs = 0;
    bool LostQueued = false;
    bool First = true;     // the clipboard's content at start is no copy
    int ClearsPending = 0; // the program's own clearings, still to come back
    QByteArray OwnType;
    std::unique_ptr<TVirtualKeyboard> Keys; // made at the first paste
    zwlr_data_control_source_v1* Latest = nullptr;
    bool Typed = false; // Ctrl+V went out; the clip not yet read
};
