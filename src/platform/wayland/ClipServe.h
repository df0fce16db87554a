#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

class QSocketNotifier;

// Serves one clip to one reader without ever blocking the thread it runs on: the pipe is
// written as fast as the reader takes it. A reader that takes nothing for
// OwnerAnswerTimeoutMs, or is not done by ServeDeadlineMs, is cut off; so is one that went
// away. Ended follows, once.
class TClipServe : public QObject {
    Q_OBJECT
public:
    static constexpr int ServeDeadlineMs = 60000;

    TClipServe(int fd, QByteArray text, QObject* parent);
    ~TClipServe() override;

signals:
    void Ended();

private:
    void Writable();
    void End();

    int Fd;
    QByteArray Text; // shared with the clip: no copy
    qsizetype Sent = 0;
    QSocketNotifier* Notifier;
    QTimer Silence;
    QTimer Deadline;
};
