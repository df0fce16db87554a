#include "PortalShortcuts.h"

#include "Portal.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>

namespace {
// What the portal takes: a list of (name, properties).
struct TShortcut {
    QString Name;
    QVariantMap Properties;
};
using TShortcuts = QList<TShortcut>;

QDBusArgument& operator<<(QDBusArgument& out, const TShortcut& shortcut) {
    out.beginStructure();
    out << shortcut.Name << shortcut.Properties;
    out.endStructure();
    return out;
}
const QDBusArgument& operator>>(const QDBusArgument& in, TShortcut& shortcut) {
    in.beginStructure();
    in >> shortcut.Name >> shortcut.Properties;
    in.endStructure();
    return in;
}

QString Description(int id) {
    if (id == RestoreHotKey)
        return QStringLiteral("Show or hide Quillery");
    if (id == SeriesPasteHotKey)
        return QStringLiteral("Paste the current clip, then move to the next one");
    return QStringLiteral("Paste the clip %1 rows below the current one").arg(id - 1);
}

// The trigger in the shortcuts notation of freedesktop: modifiers, then the key's name.
QString Trigger(QChar key) {
    return QStringLiteral("CTRL+SHIFT+") + key.toLower();
}
// The shortcut's name for the portal ("series-paste"), and back (0 for none).
QString ShortcutName(int id) {
    if (id == RestoreHotKey)
        return QStringLiteral("toggle");
    if (id == SeriesPasteHotKey)
        return QStringLiteral("series-paste");
    return QStringLiteral("paste-%1").arg(id - 1);
}

int ShortcutId(const QString& name) {
    for (int id = 1; id <= SeriesPasteHotKey; ++id) {
        if (ShortcutName(id) == name)
            return id;
    }
    return 0;
}
} // namespace

Q_DECLARE_METATYPE(TShortcut)

TPortalShortcuts::TPortalShortcuts(bool inSession, QObject* parent)
    : IHotKeys(parent), InSession(inSession) {
    qDBusRegisterMetaType<TShortcut>();
    qDBusRegisterMetaType<TShortcuts>();
    Binding.setSingleShot(true);
    Binding.setInterval(0);
    connect(&Binding, &QTimer::timeout, this, &TPortalShortcuts::Bind);
    QDBusConnection::sessionBus().connect(
        QLatin1String(Portal::Service), QLatin1String(Portal::ObjectPath), QLatin1String(Interface),
        QStringLiteral("Activated"), this, SLOT(Activated(QDBusMessage)));
}

TPortalShortcuts::~TPortalShortcuts() {
    Portal::CloseSession(Session);
}

bool TPortalShortcuts::Register(int id, QChar key) {
    Wanted.insert(id, key);
    Binding.start();
    return true; // the desktop and the user decide the keys
}

void TPortalShortcuts::Unregister(int id) {
    Wanted.remove(id);
    if (Wanted.isEmpty()) {
        Binding.stop();
        Portal::CloseSession(std::exchange(Session, QDBusObjectPath()));
    }
}

namespace {
TShortcuts Shortcuts(const QMap<int, QChar>& wanted) {
    TShortcuts shortcuts;
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it)
        shortcuts.append({ShortcutName(it.key()),
                          {{QStringLiteral("description"), Description(it.key())},
                           {QStringLiteral("preferred_trigger"), Trigger(it.value())}}});
    return shortcuts;
}
} // namespace

void TPortalShortcuts::Bind() {
    QVariantMap options;
    if (InSession)
        options.insert(QStringLiteral("shortcuts"), QVariant::fromValue(Shortcuts(Wanted)));
    Portal::CreateSession(
        this, QLatin1String(Interface),
        [this](const QDBusObjectPath& session) { SessionMade(session); }, options);
}

// A portal that refuses the session (one whose back end is another desktop's) gives no keys:
// the user binds commands instead, as where there is no portal.
void TPortalShortcuts::SessionMade(const QDBusObjectPath& session) {
    Session = session;
    if (session.path().isEmpty()) {
        if (!std::exchange(Refused, true))
            emit Unavailable();
        return;
    }
    if (InSession)
        return;
    Portal::Request(this, QLatin1String(Interface), QStringLiteral("BindShortcuts"),
                    {QVariant::fromValue(session), QVariant::fromValue(Shortcuts(Wanted)),
                     QString(), QVariantMap()},
                    [](uint, const QVariantMap&) {});
}

// Activated(o session, s shortcut, t timestamp, a{sv} options).
void TPortalShortcuts::Activated(const QDBusMessage& message) {
    const QVariantList args = message.arguments();
    if (args.size() < 2)
        return;
    const int id = ShortcutId(args[1].toString());
    if (args[0].value<QDBusObjectPath>() == Session && Wanted.contains(id))
        emit Pressed(id);
}
