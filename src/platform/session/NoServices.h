#pragma once

#include "platform/HotKeys.h"
#include "platform/PasteTarget.h"

#include <QTimer>

// What a desktop that gives no hot keys has: the user binds commands.
class TNoHotKeys : public IHotKeys {
public:
    bool Register(int, QChar) override { return false; }
    void Unregister(int) override {}
    bool Available() const override { return false; }
};

// What a desktop that lets no program paste has: the clip goes on the clipboard, and the user
// pastes it.
class TNoPasting : public IPasteTarget {
public:
    quint64 FindPasteWindow() override { return 0; }
    void Paste(quint64) override { QTimer::singleShot(0, this, &IPasteTarget::Done); }
    bool IsOpen(quint64) override { return false; }
    bool CanPaste() const override { return false; }
};
