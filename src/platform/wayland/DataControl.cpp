#include "DataControl.h"

#include "ClipServe.h"
#include "OfferRead.h"
#include "platform/wayland/keyboard/VirtualKeyboard.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <algorithm>
#include <cstring>

#include <wayland-client.h>

namespace {
constexpr const char* ExtManagerName = "ext_data_control_manager_v1";

TDataControl* Self(void* data) {
    return static_cast<TDataControl*>(data);
}

const wl_registry_listener RegistryListener = {
    [](void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
        Self(data)->Global(registry, name, interface, version);
    },
    [](void*, wl_registry*, uint32_t) {}};

const zwlr_data_control_offer_v1_listener OfferListener = {
    [](void* data, zwlr_data_control_offer_v1* offer, const char* type) {
        Self(data)->OfferType(offer, type);
    }};

const zwlr_data_control_device_v1_listener DeviceListener = {
    [](void* data, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
        Self(data)->NewOffer(offer);
    },
    [](void* data, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
        Self(data)->Selection(offer);
    },
    [](void*, zwlr_data_control_device_v1*) {}, // finished: the seat went away
    [](void* data, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
        // The primary selection is not the clipboard.
        if (offer)
            Self(data)->DropOffer(offer);
    }};

const zwlr_data_control_source_v1_listener SourceListener = {
    [](void* data, zwlr_data_control_source_v1* source, const char* type, int fd) {
        Self(data)->Send(source, type, fd);
    },
    [](void* data, zwlr_data_control_source_v1* source) { Self(data)->Cancelled(source); }};

const wl_callback_listener PongListener = {[](void* data, wl_callback* callback, uint32_t) {
    auto*& pending = *static_cast<wl_callback**>(data);
    if (pending == callback)
        pending = nullptr;
    wl_callback_destroy(callback);
}};

const wl_callback_listener HeldListener = {
    [](void* data, wl_callback* callback, uint32_t) { Self(data)->Held(callback); }};
} // namespace

TDataControl::TDataControl()
    : OwnType("application/x-quillery-own-" +
              QByteArray::number(QCoreApplication::applicationPid())) {
    // Children, so that they move with it to its thread.
    Pinger.setParent(this);
    Retry.setParent(this);
    Budget = std::make_unique<TReadBudget>();
    Pinger.setInterval(PingIntervalMs);
    connect(&Pinger, &QTimer::timeout, this, &TDataControl::Ping);
    Retry.setSingleShot(true);
    connect(&Retry, &QTimer::timeout, this, &TDataControl::Reconnect);
}

bool TDataControl::Connect() {
    Display = wl_display_connect(nullptr);
    if (!Display)
        return false;
    Registry = wl_display_get_registry(Display);
    wl_registry_add_listener(Registry, &RegistryListener, this);
    wl_display_roundtrip(Display);
    BindManager();
    if (!Manager || !Seat) {
        Disconnect();
        return false;
    }
    Device = zwlr_data_control_manager_v1_get_data_device(Manager, Seat);
    zwlr_data_control_device_v1_add_listener(Device, &DeviceListener, this);
    Events = new QSocketNotifier(wl_display_get_fd(Display), QSocketNotifier::Read, this);
    connect(Events, &QSocketNotifier::activated, this, &TDataControl::Dispatch);
    if (wl_display_roundtrip(Display) < 0) { // the selection at start
        Disconnect();
        return false;
    }
    // KWin sends no selection at start now and then: the next one is a copy all the same.
    First = false;
    Pinger.start();
    return true;
}

TDataControl::~TDataControl() {
    Disconnect();
}

// Everything of the connection goes; clips being served go on, on pipes of their own.
void TDataControl::Disconnect() {
    Pinger.stop();
    Reads.clear();
    Keys.reset();
    for (auto* offer : Offers.keys())
        zwlr_data_control_offer_v1_destroy(offer);
    Offers.clear();
    for (auto* source : Sources.keys())
        zwlr_data_control_source_v1_destroy(source);
    Sources.clear();
    Latest = nullptr;
    ClearsPending = 0;
    if (Events) { // Lost may come from inside its own signal
        Events->setEnabled(false);
        std::exchange(Events, nullptr)->deleteLater();
    }
    if (Pending)
        wl_callback_destroy(std::exchange(Pending, nullptr));
    for (auto held = HeldCalls.begin(); held != HeldCalls.end(); held = HeldCalls.erase(held)) {
        wl_callback_destroy(held.key());
        held.value()(); // nothing to wait for any more
    }
    if (Device)
        zwlr_data_control_device_v1_destroy(std::exchange(Device, nullptr));
    if (Manager)
        zwlr_data_control_manager_v1_destroy(std::exchange(Manager, nullptr));
    if (Seat)
        wl_seat_destroy(std::exchange(Seat, nullptr));
    if (Registry)
        wl_registry_destroy(std::exchange(Registry, nullptr));
    if (Display)
        wl_display_disconnect(std::exchange(Display, nullptr));
    ExtGlobal = KeyboardGlobal = 0;
    WlrGlobal = {};
}

// Never a spin on a dead connection: it is closed, said, and made again after a while.
void TDataControl::Lost() {
    LostQueued = false;
    if (!Display)
        return;
    const bool typed = std::exchange(Typed, false);
    Disconnect();
    if (typed)
        emit Fetched(); // nobody reads that clip now: the paste is over
    emit ConnectionChanged(false);
    RetryMs = 1000;
    Retry.start(RetryMs);
}

void TDataControl::Reconnect() {
    if (!Connect()) {
        RetryMs = std::min(RetryMs * 2, MaxRetryMs);
        Retry.start(RetryMs);
        return;
    }
    // What is on the clipboard now may be a copy made while there was no connection: First
    // is long false, so it is recorded.
    emit ConnectionChanged(true);
}

void TDataControl::Ping() {
    if (Pending) { // no answer since the last one: deaf
        Lost();
        return;
    }
    Pending = wl_display_sync(Display);
    wl_callback_add_listener(Pending, &PongListener, &Pending);
    Flush();
}

void TDataControl::Global(wl_registry* registry, uint32_t name, const char* interface,
                          uint32_t version) {
    if (std::strcmp(interface, ExtManagerName) == 0)
        ExtGlobal = name;
    else if (std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0)
        WlrGlobal = {name, std::min(version, 2u)};
    else if (std::strcmp(interface, TVirtualKeyboard::ManagerName()) == 0)
        KeyboardGlobal = name;
    else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !Seat)
        Seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
}

// The standard protocol where the desktop offers it (KDE Plasma 6.5 offers no other), else the
// wlr one. The two are the same on the wire, request for request and event for event, with
// the same arguments: the ext manager is bound under its own name, and then spoken to with
// the wlr calls. Every object it makes is of the ext protocol on the compositor's side.
void TDataControl::BindManager() {
    static const wl_interface extManager = [] {
        wl_interface i = zwlr_data_control_manager_v1_interface;
        i.name = ExtManagerName;
        i.version = 1;
        return i;
    }();
    if (ExtGlobal)
        Manager = static_cast<zwlr_data_control_manager_v1*>(
            wl_registry_bind(Registry, ExtGlobal, &extManager, 1));
    else if (WlrGlobal.first)
        Manager = static_cast<zwlr_data_control_manager_v1*>(wl_registry_bind(
            Registry, WlrGlobal.first, &zwlr_data_control_manager_v1_interface, WlrGlobal.second));
}

void TDataControl::Dispatch() {
    if (!Display)
        return;
    while (wl_display_prepare_read(Display) != 0) {
        if (wl_display_dispatch_pending(Display) < 0)
            return Lost();
    }
    if (wl_display_read_events(Display) != 0 || wl_display_dispatch_pending(Display) < 0)
        return Lost(); // the compositor has gone, or closed the connection
    Flush();
}

// Called from inside the protocol's listeners too: a failure is dealt with once they return.
void TDataControl::Flush() {
    if (!Display || LostQueued)
        return;
    if (wl_display_flush(Display) < 0 && errno != EAGAIN) {
        LostQueued = true;
        QMetaObject::invokeMethod(this, &TDataControl::Lost, Qt::QueuedConnection);
    }
}

void TDataControl::NewOffer(zwlr_data_control_offer_v1* offer) {
    Offers.insert(offer, {});
    zwlr_data_control_offer_v1_add_listener(offer, &OfferListener, this);
}

void TDataControl::DropOffer(zwlr_data_control_offer_v1* offer) {
    Offers.remove(offer);
    zwlr_data_control_offer_v1_destroy(offer);
}

void TDataControl::OfferType(zwlr_data_control_offer_v1* offer, const char* type) {
    auto found = Offers.find(offer);
    if (found != Offers.end())
        found->append(QString::fromUtf8(type));
}

void TDataControl::Selection(zwlr_data_control_offer_v1* offer) {
    const QStringList types = Offers.take(offer);
    const bool announce = !std::exchange(First, false);
    // The program's own clip, or its own clearing, comes back: known already.
    if (offer && types.contains(QString::fromLatin1(OwnType))) {
        zwlr_data_control_offer_v1_destroy(offer);
        return;
    }
    if (!offer && ClearsPending > 0) {
        --ClearsPending;
        return;
    }
    // A flood of copies: the oldest read still under way makes room, handed on with no text.
    if (Reads.size() >= MaxReads) {
        const auto oldest = std::find_if(Reads.begin(), Reads.end(),
                                         [](const auto& read) { return !read->IsDone(); });
        if (oldest != Reads.end())
            (*oldest)->GiveUp();
    }
    Reads.push_back(
        std::make_unique<TOfferRead>(offer, types, announce, *Budget, [this] { Flush(); }));
    connect(Reads.back().get(), &TOfferRead::Finished, this, &TDataControl::ReadDone,
            Qt::QueuedConnection);
    ReadDone();
}

void TDataControl::Settle() {
    for (const auto& read : Reads)
        read->GiveUp();
    ReadDone();
}

// Copies are handed on in the order they were made, each once its read has ended.
void TDataControl::ReadDone() {
    while (!Reads.empty() && Reads.front()->IsDone()) {
        const std::unique_ptr<TOfferRead> read = std::move(Reads.front());
        Reads.pop_front();
        emit Changed(read->Result(), read->Announce());
    }
}

void TDataControl::Write(const QByteArray& text, std::function<void()> held) {
    if (!Device) {
        held();
        return; // no connection: said on the status line
    }
    zwlr_data_control_source_v1* source = zwlr_data_control_manager_v1_create_data_source(Manager);
    zwlr_data_control_source_v1_add_listener(source, &SourceListener, this);
    for (const char* type : TextTypes)
        zwlr_data_control_source_v1_offer(source, type);
    zwlr_data_control_source_v1_offer(source, OwnType.constData());
    Sources.insert(source, text);
    Latest = source;
    Typed = false;
    zwlr_data_control_device_v1_set_selection(Device, source);
    // Requests are taken in order: once the desktop answers this, it has set the clip, and
    // told the window with the focus before any key that comes after.
    wl_callback* sync = wl_display_sync(Display);
    wl_callback_add_listener(sync, &HeldListener, this);
    HeldCalls.emplace(sync, std::move(held));
    Flush();
}

void TDataControl::Held(wl_callback* callback) {
    const std::function<void()> held = HeldCalls.take(callback);
    wl_callback_destroy(callback);
    if (held)
        held();
}

void TDataControl::Clear() {
    if (!Device)
        return;
    zwlr_data_control_device_v1_set_selection(Device, nullptr);
    Flush();
    ++ClearsPending;
}

// Each reader is served as fast as it reads, here, never blocking: a reader that never reads
// holds up neither the others nor the end of the program.
void TDataControl::Send(zwlr_data_control_source_v1* source, const char*, int fd) {
    if (Typed && source == Latest) {
        Typed = false;
        emit Fetched();
    }
    auto* serve = new TClipServe(fd, Sources.value(source), this);
    connect(serve, &TClipServe::Ended, serve, &QObject::deleteLater);
}

void TDataControl::TypePaste() {
    if (!Keys && KeyboardGlobal && Device)
        Keys = std::make_unique<TVirtualKeyboard>(Registry, KeyboardGlobal, Seat);
    if (!Keys || !Keys->IsReady()) {
        emit Fetched(); // nothing will read it: the paste is over
        return;
    }
    const uint32_t keys[] = {Keys->CodeOf("Control_L"), Keys->CodeOf("v")};
    Keys->Chord(keys, 2);
    Typed = true;
    Flush();
}

void TDataControl::Cancelled(zwlr_data_control_source_v1* source) {
    if (source == Latest)
        Latest = nullptr;
    Sources.remove(source);
    zwlr_data_control_source_v1_destroy(source);
}
