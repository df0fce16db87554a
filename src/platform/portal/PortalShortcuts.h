#pragma once

#include "platform/HotKeys.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QMap>
#include <QTimer>

// Global shortcuts through the desktop portal (KDE Plasma, GNOME 48 and later, Hyprland): the
// program names its shortcuts and the keys it would like, and the desktop (with the user)
// decides the keys. They are all bound at once, in the turn after the last Register: named
// when the session is made (Plasma 5 binds only those), or bound in it afterwards.
class TPortalShortcuts : public IHotKeys {
    Q_OBJECT
public:
    static constexpr const char* Interface = "org.freedesktop.portal.GlobalShortcuts";
    explicit TPortalShortcuts(bool inSession, QObject* parent = nullptr);
    ~TPortalShortcuts() override;
    bool Register(int id, QChar key) override;
    bool Available() const override { return !Refused; }
    void Unregister(int id) override;

private slots:
    void Activated(const QDBusMessage& message);

private:
    void Bind();
    void SessionMade(const QDBusObjectPath& session);

    QMap<int, QChar> Wanted; // id -> key
    QTimer Binding;
    QDBusObjectPath Session;
    const bool InSession;
    bool Refused = false;
};
