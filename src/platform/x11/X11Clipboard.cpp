#include "X11Clipboard.h"

#include "main/ClipText.h"
#include "main/Errors.h"

#include <QClipboard>
#include <QGuiApplication>

TX11Clipboard::TX11Clipboard(QObject* parent)
    : IClipboard(parent), Board(QGuiApplication::clipboard()) {
    connect(&Watcher, &TX11SelectionWatcher::Changed, this, &TX11Clipboard::Announce,
            Qt::QueuedConnection);
    // Without XFIXES no X client learns of other programs' copies, Qt included.
    if (!Watcher.Start())
        qWarning("Quillery: the X server cannot report clipboard changes; nothing is recorded");
}

void TX11Clipboard::Announce(const TSelectionSnapshot& snapshot) {
    // Queued behind the write that made it, so the owner is known by now.
    if (snapshot.Owner != 0 && snapshot.Owner == OwnWindow)
        return;
    Current = snapshot;
    emit Changed();
}

bool TX11Clipboard::HasText() const {
    // An owner that did not answer may hold text: reading it then reports the failure.
    return Current.Failed || (Current.HasText && !Current.Secret);
}

QByteArray TX11Clipboard::ReadText() const {
    if (Current.Failed)
        throw EQuillery(QStringLiteral("Cannot open clipboard"));
    return Current.Text;
}

void TX11Clipboard::WriteText(const QByteArray& text) {
    Board->setText(ClipText::Decode(text), QClipboard::Clipboard);
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (Watcher.isRunning() && x11) {
        OwnWindow = TX11SelectionWatcher::CurrentOwner(x11->connection());
        Watcher.SetOwnWindow(OwnWindow);
    }
    Current = {OwnWindow, true, false, false, text};
    emit Changed();
}

void TX11Clipboard::Clear() {
    Board->clear(QClipboard::Clipboard);
    Current = {};
    emit Changed();
}
