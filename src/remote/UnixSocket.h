#pragma once

#include <QByteArray>
#include <QString>

// Plain local stream sockets, without Qt Network: that library and the ones it brings cost
// every start of the program, the command-line actions' too, several milliseconds.
namespace UnixSocket {

// A connected socket (blocking, close-on-exec), or -1 with errno set.
int Connect(const QString& path);
// A listening socket (non-blocking, close-on-exec) at path, or -1 with the reason. A socket
// file left there is taken over unless a server still answers at it.
int Listen(const QString& path, QString* reason);

// Waits until fd can be read (or written, when writing) or timeoutMs has passed.
bool Wait(int fd, bool writing, int timeoutMs);
// Writes all of data within timeoutMs; never raises SIGPIPE.
bool WriteAll(int fd, const QByteArray& data, int timeoutMs);

} // namespace UnixSocket
