#pragma once

#include <QChar>
#include <QObject>

// The hot keys' ids: 1 to 10 paste by number (the digit is id - 1), then these two.
inline constexpr int RestoreHotKey = 11;
inline constexpr int SeriesPasteHotKey = 12;

// System-wide hot keys, all with Shift+Ctrl. Pressed is emitted with the id whatever window
// has the keyboard focus.
class IHotKeys : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Reserves Shift+Ctrl+key under id; false when another program holds the combination.
    virtual bool Register(int id, QChar key) = 0;
    // Harmless for an id that was never registered.
    virtual void Unregister(int id) = 0;
    // This desktop lets a program have global hot keys at all (X11 does; a Wayland window
    // does not).
    virtual bool Available() const { return true; }

signals:
    void Pressed(int id);
    // The desktop turned the hot keys down after Register had taken them.
    void Unavailable();
};
