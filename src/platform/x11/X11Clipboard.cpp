#include "X11Clipboard.h"

#include "core/Errors.h"
#include "core/text/ClipText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

TX11Clipboard::TX11Clipboard(bool withoutFocus, QObject* parent)
    : IClipboard(parent), Board(QGuiApplication::clipboard()), WithoutFocus(withoutFocus) {
    connect(&Watcher, &TX11SelectionWatcher::Changed, this, &TX11Clipboard::Announce,
            Qt::QueuedConnection);
    connect(Board, &QClipboard::changed, this,
            [this](QClipboard::Mode mode) { BoardChanged(mode); });
    // Without XFIXES no X client learns of other programs' copies, Qt included.
    if (!Watcher.Start())
        qWarning("Quillery: the X server cannot report clipboard changes; nothing is recorded");
}

void TX11Clipboard::Announce(const TSelectionSnapshot& snapshot) {
    Watcher.Taken();
    // Queued behind the write that made it, so the owner is known by now.
    if (snapshot.Owner != 0 && snapshot.Owner == OwnWindow)
        return;
    Current = snapshot;
    emit Changed();
}

// Qt reports a change of its own clipboard inside the call that made it.
void TX11Clipboard::BoardChanged(int mode) {
    if (Writing || mode != QClipboard::Clipboard || !Board->ownsClipboard())
        return;
    LearnOwnWindow();
    const QMimeData* data = Board->mimeData(QClipboard::Clipboard);
    const bool hasText = data && data->hasText();
    Current = {OwnWindow, hasText, false, false, hasText ? data->text().toUtf8() : QByteArray()};
    emit Changed();
}

void TX11Clipboard::LearnOwnWindow() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (Watcher.isRunning() && x11) {
        OwnWindow = TX11SelectionWatcher::CurrentOwner(x11->connection());
        Watcher.SetOwnWindow(OwnWindow);
    }
}

bool TX11Clipboard::RecordsWithoutFocus() const {
    return WithoutFocus;
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

// Valid UTF-8 goes over as it is: the clipboard then shares the clip's bytes, instead of
// keeping a UTF-16 copy of it and making a UTF-8 one again for every program that pastes.
static QMimeData* MimeDataFor(const QByteArray& text) {
    auto* data = new QMimeData;
    if (text.isValidUtf8())
        data->setData(QStringLiteral("text/plain"), text);
    else
        data->setText(ClipText::Decode(text));
    return data;
}

void TX11Clipboard::WriteText(const QByteArray& text) {
    Writing = true;
    Board->setMimeData(MimeDataFor(text), QClipboard::Clipboard);
    Writing = false;
    LearnOwnWindow();
    Current = {OwnWindow, true, false, false, text};
    emit Changed();
}

void TX11Clipboard::Clear() {
    Writing = true;
    Board->clear(QClipboard::Clipboard);
    Writing = false;
    Current = {};
    emit Changed();
}
