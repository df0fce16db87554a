#include "Portal.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QRandomGenerator>

namespace Portal {
namespace {
constexpr int AnswerMs = 2000; // for the version asked at start; a portal is quick or absent

QString Token() {
    return QStringLiteral("quillery%1").arg(QRandomGenerator::global()->generate());
}

// Where the portal puts the request object for a token: known before the call, so that the
// answer cannot come before the program listens for it.
QString RequestPath(const QString& token) {
    QString sender = QDBusConnection::sessionBus().baseService().mid(1);
    sender.replace(u'.', u'_');
    return QStringLiteral("%1/request/%2/%3").arg(QLatin1String(ObjectPath), sender, token);
}
} // namespace

bool Offers(const QString& interface) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(Service, ObjectPath,
                                                      "org.freedesktop.DBus.Properties", "Get");
    get << interface << QStringLiteral("version");
    const QDBusMessage reply = bus.call(get, QDBus::Block, AnswerMs);
    // A portal that is there but slow to answer (a busy start of the session) still offers
    // it: its answer to the session then says whether it does.
    return reply.type() == QDBusMessage::ReplyMessage ||
           reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
           reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.Timeout");
}

void Request(QObject* context, const QString& interface, const QString& method, QVariantList args,
             TResponse done) {
    const QString token = Token();
    QVariantMap options = args.takeLast().toMap();
    options.insert(QStringLiteral("handle_token"), token);
    args.append(options);
    auto* answer = new TPortalAnswer(RequestPath(token), std::move(done), context);
    if (!answer->Listen()) {
        answer->Response(2, {});
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(Service, ObjectPath, interface, method);
    call.setArguments(args);
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), answer);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, answer,
                     [answer](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         if (finished->isError())
                             answer->Response(2, {});
                     });
}

void CreateSession(QObject* context, const QString& interface,
                   const std::function<void(const QDBusObjectPath&)>& done, QVariantMap options) {
    options.insert(QStringLiteral("session_handle_token"), Token());
    Request(context, interface, QStringLiteral("CreateSession"), {options},
            [done](uint response, const QVariantMap& results) {
                const QVariant handle = results.value(QStringLiteral("session_handle"));
                const QString path = handle.canConvert<QDBusObjectPath>()
                                         ? handle.value<QDBusObjectPath>().path()
                                         : handle.toString();
                done(response == 0 && !path.isEmpty() ? QDBusObjectPath(path) : QDBusObjectPath());
            });
}

void CloseSession(const QDBusObjectPath& session) {
    if (session.path().isEmpty())
        return;
    QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(Service, session.path(),
                                       QStringLiteral("org.freedesktop.portal.Session"),
                                       QStringLiteral("Close")),
        QDBus::NoBlock);
}

} // namespace Portal

TPortalAnswer::TPortalAnswer(QString path, Portal::TResponse done, QObject* parent)
    : QObject(parent), Path(std::move(path)), Done(std::move(done)) {}

bool TPortalAnswer::Listen() {
    return QDBusConnection::sessionBus().connect(
        QString(), Path, QLatin1String(Portal::RequestInterface), QStringLiteral("Response"), this,
        SLOT(Response(uint, QVariantMap)));
}

void TPortalAnswer::Response(uint response, const QVariantMap& results) {
    if (!Done)
        return; // answered already
    QDBusConnection::sessionBus().disconnect(
        QString(), Path, QLatin1String(Portal::RequestInterface), QStringLiteral("Response"), this,
        SLOT(Response(uint, QVariantMap)));
    const Portal::TResponse done = std::exchange(Done, nullptr);
    done(response, results);
    deleteLater();
}
