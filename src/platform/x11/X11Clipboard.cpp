#include "X11Clipboard.h"

#include "main/ClipText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {
// Password managers mark what they copy; such text is never recorded.
const QString SecretHint = QStringLiteral("x-kde-passwordManagerHint");
} // namespace

TX11Clipboard::TX11Clipboard(QObject* parent)
    : IClipboard(parent), Board(QGuiApplication::clipboard()) {
    connect(Board, &QClipboard::dataChanged, this, &IClipboard::Changed);
}

bool TX11Clipboard::HasText() const {
    const QMimeData* data = Board->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasText())
        return false;
    return !(data->hasFormat(SecretHint) && data->data(SecretHint) == "secret");
}

QByteArray TX11Clipboard::ReadText() const {
    return Board->text(QClipboard::Clipboard).toUtf8();
}

void TX11Clipboard::WriteText(const QByteArray& text) {
    Board->setText(ClipText::Decode(text), QClipboard::Clipboard);
}

void TX11Clipboard::Clear() {
    Board->clear(QClipboard::Clipboard);
}
