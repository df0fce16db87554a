#pragma once

#include "platform/PasteTarget.h"

#include <QList>
#include <QTimer>

// Records paste requests; the target window is whatever the test says. Each paste is done
// as soon as the event loop runs unless Hold is set; then Finish ends the oldest one.
class TFakePasteTarget : public IPasteTarget {
    Q_OBJECT
public:
    quint64 FindPasteWindow() override { return Window; }
    void Paste(quint64 window) override {
        Pastes.append(window);
        if (!Hold)
            QTimer::singleShot(0, this, &TFakePasteTarget::Finish);
    }
    bool IsOpen(quint64 window) override { return !Closed.contains(window); }
    void Finish() {
        ++Dones;
        emit Done();
    }
    QList<quint64> Closed; // windows gone since they were found
    quint64 Window = 0x42;
    bool Hold = false;
    QList<quint64> Pastes;
    int Dones = 0;
};
