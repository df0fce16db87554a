#pragma once

#include "platform/PasteTarget.h"

#include <QList>

// Records paste requests; the target window is whatever the test says.
class TFakePasteTarget : public IPasteTarget {
public:
    quint64 FindPasteWindow() override { return Window; }
    void Paste(quint64 window) override { Pastes.append(window); }
    quint64 Window = 0x42;
    QList<quint64> Pastes;
};
