#pragma once

#include "platform/PasteTarget.h"

#include <QList>

// Records paste requests; the target window is whatever the test says. Each paste is done
// at once unless Hold is set; then Finish ends the oldest one.
class TFakePasteTarget : public IPasteTarget {
    Q_OBJECT
public:
    quint64 FindPasteWindow() override { return Window; }
    void Paste(quint64 window) override {
        Pastes.append(window);
        if (!Hold)
            emit Done();
    }
    void Finish() { emit Done(); }
    quint64 Window = 0x42;
    bool Hold = false;
    QList<quint64> Pastes;
};
