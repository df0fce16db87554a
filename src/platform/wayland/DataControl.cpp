#include "DataControl.h"

#include "OfferRead.h"
#include "VirtualKeyboard.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>
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
} // namespace

TDataControl::TDataControl()
    : OwnType("application/x-quillery-own-" +
              QByteArray::number(QCoreApplication::applicationPid())) {
    // A reader that goes away while a clip is served must not end the program.
    std::signal(SIGPIPE, SIG_IGN);
}

bool TDataControl::Connect() {
    Display = wl_display_connect(nullptr);
    if (!Display)
        return false;
    Registry = wl_display_get_registry(Display);
    wl_registry_add_listener(Registry, &RegistryListener, this);
    wl_display_roundtrip(Display);
    BindManager();
    if (!Manager || !Seat)
        return false;
    Device = zwlr_data_control_manager_v1_get_data_device(Manager, Seat);
    zwlr_data_control_device_v1_add_listener(Device, &DeviceListener, this);
    Events = new QSocketNotifier(wl_display_get_fd(Display), QSocketNotifier::Read, this);
    connect(Events, &QSocketNotifier::activated, this, &TDataControl::Dispatch);
    wl_display_roundtrip(Display); // the selection at start
    return true;
}

TDataControl::~TDataControl() {
    Reads.clear();
    Keys.reset();
    for (auto* offer : Offers.keys())
        zwlr_data_control_offer_v1_destroy(offer);
    for (auto* source : Sources.keys())
        zwlr_data_control_source_v1_destroy(source);
    if (Device)
        zwlr_data_control_device_v1_destroy(Device);
    if (Manager)
        zwlr_data_control_manager_v1_destroy(Manager);
    if (Seat)
        wl_seat_destroy(Seat);
    if (Registry)
        wl_registry_destroy(Registry);
    if (Display)
        wl_display_disconnect(Display);
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
    while (wl_display_prepare_read(Display) != 0)
        wl_display_dispatch_pending(Display);
    if (wl_display_read_events(Display) != 0) {
        // The compositor has gone: nothing more to record, and nothing to serve.
        Events->setEnabled(false);
        return;
    }
    wl_display_dispatch_pending(Display);
    Flush();
}

void TDataControl::Flush() {
    wl_display_flush(Display);
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
    Reads.push_back(std::make_unique<TOfferRead>(offer, types, announce, [this] { Flush(); }));
    connect(Reads.back().get(), &TOfferRead::Finished, this, &TDataControl::ReadDone,
            Qt::QueuedConnection);
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

void TDataControl::Write(const QByteArray& text) {
    zwlr_data_control_source_v1* source = zwlr_data_control_manager_v1_create_data_source(Manager);
    zwlr_data_control_source_v1_add_listener(source, &SourceListener, this);
    for (const char* type : TextTypes)
        zwlr_data_control_source_v1_offer(source, type);
    zwlr_data_control_source_v1_offer(source, OwnType.constData());
    Sources.insert(source, text);
    Latest = source;
    Typed = false;
    zwlr_data_control_device_v1_set_selection(Device, source);
    Flush();
}

void TDataControl::Clear() {
    zwlr_data_control_device_v1_set_selection(Device, nullptr);
    Flush();
    ++ClearsPending;
}

// Each reader gets the clip on a worker, so that a large one or a slow reader never holds up
// the window; the program's own reads of it never wait on the thread that serves it.
void TDataControl::Send(zwlr_data_control_source_v1* source, const char*, int fd) {
    const QByteArray text = Sources.value(source);
    if (Typed && source == Latest) {
        Typed = false;
        emit Fetched();
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    (void)QtConcurrent::run([fd, text] {
        const char* p = text.constData();
        qsizetype left = text.size();
        while (left > 0) {
            const ssize_t n = ::write(fd, p, size_t(left));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break; // the reader went away
            p += n;
            left -= n;
        }
        ::close(fd);
    });
}

void TDataControl::TypePaste() {
    if (!Keys && KeyboardGlobal)
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
