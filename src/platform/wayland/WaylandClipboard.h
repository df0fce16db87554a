#pragma once

#include "platform/Clipboard.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>

#include <deque>
#include <memory>
#include <utility>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwlr_data_control_manager_v1;
struct zwlr_data_control_device_v1;
struct zwlr_data_control_offer_v1;
struct zwlr_data_control_source_v1;
class QSocketNotifier;
class TOfferRead;

// The clipboard through Wayland's data control protocol, which is made for clipboard
// managers: every copy is seen and read whatever window has the focus, and a clip set here is
// served to every reader while another program has the focus. It runs on a Wayland connection
// of its own, beside the window's (Qt gives no access to its own). Copies are read at once,
// several at a time, and announced in the order they were made. The program's own writes
// carry a type of their own, by which they are known when the desktop hands them back: they
// are never announced.
class TWaylandClipboard : public IClipboard {
    Q_OBJECT
public:
    explicit TWaylandClipboard(QObject* parent = nullptr);
    ~TWaylandClipboard() override;
    // False where there is no Wayland desktop, or it offers no data control.
    bool IsConnected() const { return Device != nullptr; }

    bool HasText() const override;
    QByteArray ReadText() const override;
    void WriteText(const QByteArray& text) override;
    void Clear() override;
    bool TooLarge() const override { return Current.TooLarge; }

    // From the protocol's listeners.
    void Global(wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
    void NewOffer(zwlr_data_control_offer_v1* offer);
    void OfferType(zwlr_data_control_offer_v1* offer, const char* type);
    void Selection(zwlr_data_control_offer_v1* offer);
    void Send(zwlr_data_control_source_v1* source, const char* type, int fd);
    void Cancelled(zwlr_data_control_source_v1* source);

    struct TSnapshot {
        bool HasText = false;
        bool Secret = false;
        bool TooLarge = false;
        QByteArray Text;
    };

private:
    void BindManager();
    void Dispatch();
    void Flush();
    void ReadDone();
    void Announce(const TSnapshot& snapshot, bool announced);

    wl_display* Display = nullptr;
    wl_registry* Registry = nullptr;
    wl_seat* Seat = nullptr;
    uint32_t ExtGlobal = 0;                  // the registry's name of each manager offered
    std::pair<uint32_t, uint32_t> WlrGlobal; // and the wlr one's version
    zwlr_data_control_manager_v1* Manager = nullptr;
    zwlr_data_control_device_v1* Device = nullptr;
    QSocketNotifier* Events = nullptr;
    QHash<zwlr_data_control_offer_v1*, QStringList> Offers;  // their types, as announced
    QHash<zwlr_data_control_source_v1*, QByteArray> Sources; // the program's own, served
    std::deque<std::unique_ptr<TOfferRead>> Reads;           // in the order of the copies
    bool First = true;     // the clipboard's content at start is no copy
    int ClearsPending = 0; // the program's own clearings, still to come back
    TSnapshot Current;
    QByteArray OwnType;
};
