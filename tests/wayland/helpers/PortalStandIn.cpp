// A stand-in for the desktop portal's GlobalShortcuts and RemoteDesktop, on the test's own
// session bus. Each call is written to standard output as a line; a line "activate NAME" on
// standard input sends Activated for that shortcut. With --refuse, the user says no to the
// remote desktop; with --refuse-shortcuts, the shortcuts' session is refused, as by another
// desktop's back end; with --deaf-keys, keys are never answered. "ready" is written once the
// portal's name is taken.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {
constexpr const char* Path = "/org/freedesktop/portal/desktop";
constexpr const char* Shortcuts = "org.freedesktop.portal.GlobalShortcuts";

void Say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Shortcuts, a(sa{sv}): each said as "<what> NAME TRIGGER".
void SayShortcuts(const QString& what, const QDBusArgument& list) {
    list.beginArray();
    while (!list.atEnd()) {
        QString name;
        QVariantMap properties;
        list.beginStructure();
        list >> name >> properties;
        list.endStructure();
        Say(what + ' ' + name + ' ' + properties.value("preferred_trigger").toString());
    }
    list.endArray();
}

QString SenderPart(const QDBusMessage& message) {
    return message.service().mid(1).replace(u'.', u'_');
}

class TPortal : public QDBusVirtualObject {
public:
    bool Refuse = false;
    bool RefuseShortcuts = false;
    bool DeafKeys = false;
    QString Session; // the last one made
    int KeysUnanswered = 0;

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override {
        const QString member = message.member();
        const QVariantList args = message.arguments();
        if (member == "Get") { // Properties: the version of either interface
            bus.send(message.createReply(QVariant::fromValue(QDBusVariant(uint(1)))));
            return true;
        }
        if (message.path() != Path) { // a session's Close
            Say("Close " + message.path());
            bus.send(message.createReply());
            return true;
        }
        if (member == "NotifyKeyboardKeycode") {
            // Answered late, as a portal busy with the desktop does: a key sent before the
            // answer to the one before may overtake it in a real portal.
            const QString key =
                QStringLiteral("key %1 %2").arg(args[2].toInt()).arg(args[3].toUInt());
            if (DeafKeys) {
                Say(key);
                return true; // never answered
            }
            if (KeysUnanswered++)
                Say("overlapping key");
            Say(key);
            QTimer::singleShot(20, [this, bus, reply = message.createReply()] {
                --KeysUnanswered;
                QDBusConnection(bus).send(reply);
            });
            return true;
        }
        const QVariantMap options = qdbus_cast<QVariantMap>(args.last());
        const QString request =
            QStringLiteral("%1/request/%2/%3")
                .arg(Path, SenderPart(message), options.value("handle_token").toString());
        bus.send(message.createReply(QVariant::fromValue(QDBusObjectPath(request))));
        uint response = 0;
        QVariantMap results;
        if (member == "CreateSession") {
            Session = QStringLiteral("%1/session/%2/%3")
                          .arg(Path, SenderPart(message),
                               options.value("session_handle_token").toString());
            results.insert("session_handle", Session);
            Say(message.interface() + " CreateSession");
            if (options.contains("shortcuts"))
                SayShortcuts("CreateSession", options.value("shortcuts").value<QDBusArgument>());
            if (RefuseShortcuts && message.interface() == Shortcuts) {
                response = 2;
                results.clear();
            }
        } else if (member == "BindShortcuts") {
            SayShortcuts("BindShortcuts", args[1].value<QDBusArgument>());
        } else if (member == "SelectDevices") {
            Say(QStringLiteral("SelectDevices types=%1 persist=%2 token=%3")
                    .arg(options.value("types").toUInt())
                    .arg(options.value("persist_mode").toUInt())
                    .arg(options.value("restore_token").toString()));
        } else if (member == "Start") {
            Say("Start");
            response = Refuse ? 1 : 0;
            if (!Refuse)
                results = {{"devices", uint(1)}, {"restore_token", QStringLiteral("token-1")}};
        }
        // The answer comes after the call's reply, as from the real portal.
        QTimer::singleShot(0, [bus, request, response, results] {
            QDBusMessage answer =
                QDBusMessage::createSignal(request, "org.freedesktop.portal.Request", "Response");
            answer << response << results;
            QDBusConnection(bus).send(answer);
        });
        return true;
    }
};
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    TPortal portal;
    portal.Refuse = app.arguments().contains("--refuse");
    portal.RefuseShortcuts = app.arguments().contains("--refuse-shortcuts");
    portal.DeafKeys = app.arguments().contains("--deaf-keys");
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerVirtualObject(Path, &portal, QDBusConnection::SubPath) ||
        !bus.registerService("org.freedesktop.portal.Desktop"))
        return 1;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char chunk[4096];
        const ssize_t got = read(STDIN_FILENO, chunk, sizeof chunk);
        if (got <= 0) {
            QCoreApplication::quit();
            return;
        }
        pending.append(chunk, got);
        for (qsizetype end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1)) {
            const QString name = QString::fromUtf8(pending.left(end)).section(' ', 1);
            QDBusMessage activated = QDBusMessage::createSignal(Path, Shortcuts, "Activated");
            activated << QVariant::fromValue(QDBusObjectPath(portal.Session)) << name
                      << qulonglong(0) << QVariantMap();
            QDBusConnection::sessionBus().send(activated);
        }
    });
    Say("ready");
    return QCoreApplication::exec();
}
