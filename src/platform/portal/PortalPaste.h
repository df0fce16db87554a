#pragma once

#include "platform/PasteTarget.h"

#include <QDBusObjectPath>
#include <QList>
#include <QTimer>

#include <utility>

// Pasting where the desktop has no virtual keyboard for programs (GNOME, KDE Plasma): Ctrl+V
// as key presses through the portal's remote desktop, which asks the user once; the desktop's
// token lets later starts go on without asking. Once refused, nothing is typed: the clip is
// on the clipboard, for the user to paste.
class TPortalPaste : public IPasteTarget {
    Q_OBJECT
public:
    static constexpr const char* Interface = "org.freedesktop.portal.RemoteDesktop";
    // tokenFile: where the desktop's token is kept between starts.
    explicit TPortalPaste(QString tokenFile, QObject* parent = nullptr);
    ~TPortalPaste() override;
    quint64 FindPasteWindow() override { return Refused ? 0 : FocusedWindow; }
    void Paste(quint64 window) override;
    bool IsOpen(quint64) override { return true; }
    bool CanPaste() const override { return !Refused; }

private:
    void Start();
    void Started(uint response, const QVariantMap& results);
    void TypeControlV();
    void NextKey();

    QString TokenFile;
    QDBusObjectPath Session;
    bool Starting = false;
    bool Refused = false;
    bool Waiting = false;             // a paste waits for the session
    QTimer Settle;                    // the window reads the clip in this time, or never
    QList<std::pair<int, bool>> Keys; // still to type: code, down
};
