#pragma once

#include <QDBusObjectPath>
#include <QObject>
#include <QVariantMap>

#include <functional>

// The desktop portal (xdg-desktop-portal) on the session bus: how a program asks the desktop
// for what Wayland gives no program by itself. Every call is answered later, by a Response
// signal of a request object the call names.
namespace Portal {

inline constexpr const char* Service = "org.freedesktop.portal.Desktop";
inline constexpr const char* ObjectPath = "/org/freedesktop/portal/desktop";
inline constexpr const char* RequestInterface = "org.freedesktop.portal.Request";

// The desktop's portal has this interface: it answers for its version, or is there but too
// slow to answer at start.
bool Offers(const QString& interface);

using TResponse = std::function<void(uint response, const QVariantMap& results)>;
// Calls interface.method with args, whose last one is the options (a handle token is added),
// and hands the answer to done on the window's thread. A call the portal refuses outright
// is answered as cancelled (response 2).
void Request(QObject* context, const QString& interface, const QString& method, QVariantList args,
             TResponse done);
// Creates a session of interface with these options besides the token; done gets its handle,
// empty when the portal refused.
void CreateSession(QObject* context, const QString& interface,
                   const std::function<void(const QDBusObjectPath&)>& done,
                   QVariantMap options = {});
void CloseSession(const QDBusObjectPath& session);

} // namespace Portal

// One request's answer: a slot for the bus to call.
class TPortalAnswer : public QObject {
    Q_OBJECT
public:
    TPortalAnswer(QString path, Portal::TResponse done, QObject* parent);
    bool Listen();

public slots:
    void Response(uint response, const QVariantMap& results);

private:
    QString Path;
    Portal::TResponse Done;
};
