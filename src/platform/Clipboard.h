#pragma once

#include <QByteArray>
#include <QObject>

// The desktop's shared text clipboard. Changed is emitted for every change of its content
// that another program made; the program's own writes are announced inside the write call or
// not at all (the window's guards drop them either way), never later.
// Texts larger than this are not recorded: a clip list is for what people copy, and one copy
// of such a text would hold memory for good.
inline constexpr qsizetype MaxClipBytes = qsizetype(256) << 20;
// A program that offers a copy and does not answer for this long has none to give.
inline constexpr int OwnerAnswerTimeoutMs = 2000;
// A password manager marks a copy with this type; a copy so marked is never read.
inline constexpr const char* PasswordHintType = "x-kde-passwordManagerHint";
inline bool IsSecretHint(const QByteArray& value) {
    return value.trimmed() == "secret";
}

class IClipboard : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // True when the clipboard holds text that may be recorded (not marked secret).
    virtual bool HasText() const = 0;
    // The clipboard's text as bytes; throws EQuillery when it cannot be read.
    virtual QByteArray ReadText() const = 0;
    // Returns once the desktop holds the text, so that a paste sent next, by any way, finds
    // it. Throws EQuillery when the clipboard cannot be written.
    virtual void WriteText(const QByteArray& text) = 0;
    virtual void Clear() = 0;
    // The last change offered a text larger than MaxClipBytes, which was not read.
    virtual bool TooLarge() const { return false; }
    // Every copy is seen, whatever window has the focus. Not so for an X11 program on a
    // Wayland desktop that offers no data control: it sees what the desktop shares with X11.
    virtual bool RecordsWithoutFocus() const { return true; }
    // Announces, before this returns, every copy read so far; copies still being read are
    // given up. For the end of the program, so that no copy already read is left behind.
    virtual void Settle() {}

signals:
    void Changed();
    // The desktop's clipboard was lost to the program (false), or is back (true).
    void ConnectionChanged(bool up);
};
