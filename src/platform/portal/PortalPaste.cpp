#include "PortalPaste.h"

#include "Portal.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
constexpr uint Keyboard = 1; // device types
constexpr uint PersistUntilRevoked = 2;
constexpr int LeftCtrl = 29; // evdev key codes
constexpr int KeyV = 47;
// The portal says nothing of who reads the clip: the next clip waits this long.
constexpr int SettleMs = 150;
// A question the user leaves open this long holds up no more pastes; the answer still counts.
constexpr int AnswerMs = 60000;
constexpr int KeyAnswerMs = 2000;
} // namespace

TPortalPaste::TPortalPaste(QString tokenFile, QObject* parent)
    : IPasteTarget(parent), TokenFile(std::move(tokenFile)) {
    Settle.setSingleShot(true);
    Settle.setInterval(SettleMs);
    connect(&Settle, &QTimer::timeout, this, &IPasteTarget::Done);
}

TPortalPaste::~TPortalPaste() {
    Portal::CloseSession(Session);
}

void TPortalPaste::Paste(quint64) {
    if (!Session.path().isEmpty()) {
        TypeControlV();
        return;
    }
    Waiting = true;
    Start();
    QTimer::singleShot(AnswerMs, this, [this] {
        if (std::exchange(Waiting, false))
            emit Done();
    });
}

// Create the session, choose the keyboard (with the token of an earlier start), start it.
void TPortalPaste::Start() {
    if (Starting)
        return;
    Starting = true;
    Portal::CreateSession(this, QLatin1String(Interface), [this](const QDBusObjectPath& session) {
        if (session.path().isEmpty())
            return Started(2, {});
        Session = session;
        QVariantMap options{{QStringLiteral("types"), Keyboard},
                            {QStringLiteral("persist_mode"), PersistUntilRevoked}};
        QFile file(TokenFile);
        if (file.open(QIODevice::ReadOnly))
            options.insert(QStringLiteral("restore_token"),
                           QString::fromUtf8(file.readAll().trimmed()));
        Portal::Request(
            this, QLatin1String(Interface), QStringLiteral("SelectDevices"),
            {QVariant::fromValue(session), options}, [this](uint response, const QVariantMap&) {
                if (response != 0)
                    return Started(response, {});
                Portal::Request(
                    this, QLatin1String(Interface), QStringLiteral("Start"),
                    {QVariant::fromValue(Session), QString(), QVariantMap()},
                    [this](uint answer, const QVariantMap& results) { Started(answer, results); });
            });
    });
}

void TPortalPaste::Started(uint response, const QVariantMap& results) {
    Starting = false;
    const uint devices = results.value(QStringLiteral("devices")).toUInt();
    if (response != 0 || !(devices & Keyboard)) {
        Refused = true; // asked once: not again in this run
        Portal::CloseSession(std::exchange(Session, QDBusObjectPath()));
    } else if (results.contains(QStringLiteral("restore_token"))) {
        QDir().mkpath(QFileInfo(TokenFile).path());
        QFile file(TokenFile);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(results.value(QStringLiteral("restore_token")).toString().toUtf8());
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    // Without a session bus the answer comes inside Paste: Done still follows it.
    if (std::exchange(Waiting, false)) {
        if (Refused)
            QTimer::singleShot(0, this, &IPasteTarget::Done);
        else
            TypeControlV();
    }
}

// One key at a time, each once the portal has answered the one before: the portal handles
// its calls on threads of its own, so keys sent at once may reach the desktop out of order
// (a V without its Ctrl, or a V held down).
void TPortalPaste::TypeControlV() {
    Keys = {{LeftCtrl, true}, {KeyV, true}, {KeyV, false}, {LeftCtrl, false}};
    NextKey();
}

void TPortalPaste::NextKey() {
    if (Keys.isEmpty())
        return Settle.start();
    const auto [code, down] = Keys.takeFirst();
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(Portal::Service), QLatin1String(Portal::ObjectPath), QLatin1String(Interface),
        QStringLiteral("NotifyKeyboardKeycode"));
    call << QVariant::fromValue(Session) << QVariantMap() << code << uint(down ? 1 : 0);
    // An error or no answer in time counts too: the keys left go on, so that no key stays down
    // and a portal that hangs holds up the pastes for seconds, not minutes.
    auto* answer = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call, KeyAnswerMs), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        NextKey();
    });
}
