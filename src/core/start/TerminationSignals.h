#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGHUP and SIGINT, turned into a signal on the UI thread (a self-pipe), so that
// being killed or logged out runs the normal closing sequence.
class TTerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TTerminationSignals(QObject* parent = nullptr);
    ~TTerminationSignals() override;
    bool Received() const { return Got; } // one came already

signals:
    void Requested();

private:
    static void Handler(int signal);
    void Drain();
    QSocketNotifier* Notifier = nullptr;
    bool Got = false;
};
