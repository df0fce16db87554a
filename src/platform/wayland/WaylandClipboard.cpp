#include "WaylandClipboard.h"

#include "core/Errors.h"
#include "core/text/ClipText.h"

#include <QCoreApplication>
#include <QSemaphore>

#include <memory>

TWaylandClipboard::TWaylandClipboard(QObject* parent)
    : IClipboard(parent), Control(new TDataControl) {
    Thread.setObjectName(QStringLiteral("Wayland clipboard"));
    Control->moveToThread(&Thread);
    // Taken before connecting: the clipboard's content at start comes at once.
    connect(Control, &TDataControl::Changed, this,
            [this](const TClipSnapshot& snapshot, bool announce) {
                Current = snapshot;
                if (announce)
                    emit Changed();
            });
    connect(Control, &TDataControl::Fetched, this, &TWaylandClipboard::Fetched);
    connect(Control, &TDataControl::ConnectionChanged, this, [this](bool up) {
        Up = up;
        emit ConnectionChanged(up);
    });
    Thread.start();
    QMetaObject::invokeMethod(
        Control,
        [this] {
            Connected = Control->Connect();
            Typing = Connected && Control->CanType();
            Ext = Connected && Control->OffersExt();
        },
        Qt::BlockingQueuedConnection);
}

TWaylandClipboard::~TWaylandClipboard() {
    // On its own thread, where its reads and their notifiers live; the connection closes.
    QMetaObject::invokeMethod(
        Control, [control = Control] { delete control; }, Qt::BlockingQueuedConnection);
    Thread.quit();
    Thread.wait();
}

bool TWaylandClipboard::HasText() const {
    return Current.HasText && !Current.Secret;
}

QByteArray TWaylandClipboard::ReadText() const {
    if (!HasText())
        throw EQuillery(QStringLiteral("The clipboard holds no text."));
    return Current.Text;
}

void TWaylandClipboard::Settle() {
    if (!Connected)
        return;
    // Never held up for long: a thread stuck connecting to a desktop that does not answer
    // must not keep the program from ending.
    auto settled = std::make_shared<QSemaphore>();
    QMetaObject::invokeMethod(Control, [control = Control, settled] {
        control->Settle();
        settled->release();
    });
    if (settled->tryAcquire(1, 1000))
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall); // what it handed on
}

void TWaylandClipboard::WriteText(const QByteArray& text) {
    if (!Connected || !Up)
        throw EQuillery(QStringLiteral("Cannot write to the clipboard."));
    // Every type offered says UTF-8: a clip of an old single-byte list goes over decoded.
    const QByteArray served = ClipText::IsUtf8(text) ? text : ClipText::Decode(text).toUtf8();
    // The portal's keys go through other programs, on other connections: they must not come
    // before the clip. A desktop that does not answer holds the program up for a second only.
    auto held = std::make_shared<QSemaphore>();
    QMetaObject::invokeMethod(Control, [control = Control, served, held] {
        control->Write(served, [held] { held->release(); });
    });
    Current = {true, false, false, text};
    held->tryAcquire(1, 1000);
}

void TWaylandClipboard::Clear() {
    if (!Connected)
        return;
    QMetaObject::invokeMethod(Control, [control = Control] { control->Clear(); });
    Current = {};
}

void TWaylandClipboard::TypePaste() {
    QMetaObject::invokeMethod(Control, [control = Control] { control->TypePaste(); });
}
