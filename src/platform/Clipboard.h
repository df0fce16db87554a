#pragma once

#include <QByteArray>
#include <QObject>

// The desktop's shared text clipboard. Changed is emitted for every change of its content,
// the program's own writes included, before the write returns.
class IClipboard : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // True when the clipboard holds text that may be recorded (not marked secret).
    virtual bool HasText() const = 0;
    // The clipboard's text as bytes; throws EQuillery when it cannot be read.
    virtual QByteArray ReadText() const = 0;
    // Throws EQuillery when the clipboard cannot be written.
    virtual void WriteText(const QByteArray& text) = 0;
    virtual void Clear() = 0;

signals:
    void Changed();
};
