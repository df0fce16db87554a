#include "FakeClipboard.h"

#include "core/Errors.h"

void TFakeClipboard::CopyFromOtherProgram(const QByteArray& text, bool secret) {
    Text = text;
    Secret = secret;
    emit Changed();
}

void TFakeClipboard::CopyNonText() {
    Text.reset();
    Secret = false;
    Oversized = false;
    emit Changed();
}

void TFakeClipboard::CopyTooLarge() {
    Text.reset();
    Secret = false;
    Oversized = true;
    emit Changed();
}

QByteArray TFakeClipboard::ReadText() const {
    if (FailReads)
        throw EQuillery(QStringLiteral("Cannot open clipboard"));
    return Current();
}

void TFakeClipboard::WriteText(const QByteArray& text) {
    if (FailWrites)
        throw EQuillery(QStringLiteral("Cannot open clipboard"));
    ++Writes;
    Text = text;
    Secret = false;
    if (OwnWrites == TOwnWrites::Announced)
        emit Changed();
}

void TFakeClipboard::Clear() {
    Text.reset();
    if (OwnWrites == TOwnWrites::Announced)
        emit Changed();
}
