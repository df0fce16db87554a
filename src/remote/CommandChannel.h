#pragma once

#include "core/start/CommandLine.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The private channel by which a second start hands an action to the running instance: a
// local socket in a folder of the user's runtime folder that only the user may enter.
// A request is a line "quillery <action> <number> <length>" and that many bytes of input; the
// answer a line "<status> <length>" and that many bytes: the output (status 0) or the reason
// it failed (status 1).
namespace CommandChannel {

// The socket's path; runtimeDir empty: the user's runtime folder.
QString SocketPath(const QString& runtimeDir = QString());
// Makes the socket's folder, or checks the one there: a folder, not a link, the user's own,
// and no one else's to enter (it is made so). False, with the reason, otherwise.
bool PrepareFolder(const QString& socketPath, QString* reason);
// The client's check before it sends anything on socket, connected at socketPath: the folder
// is as PrepareFolder leaves it, and the server runs as the same user.
bool IsPrivate(const QString& socketPath, int socket, QString* reason);

// Input and output larger than a clip may be are refused.
qsizetype MaxPayload();

struct TRequest {
    TAction Action = TAction::None;
    int Number = 0;
    QByteArray Input;
};
struct TAnswer {
    int Status = 1;
    QByteArray Payload;
};

QByteArray Encode(const TRequest& request);
QByteArray Encode(const TAnswer& answer);

// Takes a whole message off the front of buffer once it is all there; nothing while it is
// still coming. A message that makes no sense sets failed.
std::optional<TRequest> TakeRequest(QByteArray& buffer, bool& failed);
std::optional<TAnswer> TakeAnswer(QByteArray& buffer, bool& failed);

} // namespace CommandChannel
