#pragma once

#include "platform/HotKeys.h"

#include <QAbstractNativeEventFilter>
#include <QHash>

struct xcb_connection_t;

// Hot keys as passive key grabs on the root window, on Qt's own connection. Each key is
// grabbed also with CapsLock, NumLock and both, so the locks never get in the way.
class TX11HotKeys : public IHotKeys, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit TX11HotKeys(QObject* parent = nullptr);
    ~TX11HotKeys() override;
    bool Register(int id, QChar key) override;
    void Unregister(int id) override;
    bool Available() const override { return Connection != nullptr; }
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

private:
    QList<quint16> LockVariants() const;
    quint8 KeyCodeFor(QChar key) const;

    xcb_connection_t* Connection = nullptr; // none without an X server
    quint32 Root = 0;
    quint16 NumLockMask = 0;
    QHash<int, quint8> Grabbed; // id -> key code
};
