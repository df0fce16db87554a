#pragma once

#include "platform/Clipboard.h"

#include <optional>

// An in-memory clipboard that behaves like a real one: every change another program makes is
// announced before the call returns, and the program's own writes in either of the ways real
// clipboards have.
class TFakeClipboard : public IClipboard {
    Q_OBJECT
public:
    enum class TOwnWrites {
        Announced, // inside the write call, as X11's clipboard tells of every change
        Silent,    // never, as Wayland's data control does not tell a client of its own offers
    };
    explicit TFakeClipboard(TOwnWrites ownWrites = TOwnWrites::Announced) : OwnWrites(ownWrites) {}

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
    const TOwnWrites OwnWrites;

private:
    std::optional<QByteArray> Text;
    bool Secret = false;
    bool Oversized = false;
};
