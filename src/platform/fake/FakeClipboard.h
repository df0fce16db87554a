#pragma once

#include "platform/Clipboard.h"

#include <optional>

// An in-memory clipboard that behaves like the real one: every change, the program's own
// writes included, is announced before the call returns.
class TFakeClipboard : public IClipboard {
    Q_OBJECT
public:
    using IClipboard::IClipboard;

    // Another program copies.
    void CopyFromOtherProgram(const QByteArray& text, bool secret = false);
    void CopyNonText();  // a picture or files: no text form
    void CopyTooLarge(); // a text larger than the program takes
    bool TooLarge() const override { return Oversized; }
    bool RecordsWithoutFocus() const override { return !FocusOnly; }
    bool FocusOnly = false; // a desktop that shares only some copies with the program

    bool HasText() const override { return Text.has_value() && !Secret; }
    QByteArray ReadText() const override;
    void WriteText(const QByteArray& text) override;
    void Clear() override;

    QByteArray Current() const { return Text.value_or(QByteArray()); }
    bool FailReads = false;
    bool FailWrites = false;
    int Writes = 0;

private:
    std::optional<QByteArray> Text;
    bool Secret = false;
    bool Oversized = false;
};
