#pragma once

#include "CommandChannel.h"
#include "platform/Clipboard.h"

#include <QObject>

#include <functional>

class QSocketNotifier;

// The running instance's end of the command channel. Each request is answered by the handler,
// on the thread of the window, in the order the requests came.
class TCommandServer : public QObject {
    Q_OBJECT
public:
    using THandler = std::function<CommandChannel::TAnswer(const CommandChannel::TRequest&)>;
    explicit TCommandServer(THandler handler, QObject* parent = nullptr);
    ~TCommandServer() override;

    // Listens at path (by default in the user's runtime folder). A socket left by an instance
    // that no longer runs is taken over; one another instance still serves is left to it.
    // False, with the reason, when this instance does not serve.
    bool Listen(const QString& path, QString* reason);

    static constexpr qint64 MaxUnreadBytes = MaxClipBytes;

private:
    class TClient;
    void Accept();
    void Serve(TClient* client);
    QByteArray Answer(const CommandChannel::TAnswer& answer) const;

    THandler Handler;
    int Fd = -1;
    QString Path;
    QSocketNotifier* Incoming = nullptr;
};
