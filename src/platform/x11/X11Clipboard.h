#pragma once

#include "platform/Clipboard.h"

class QClipboard;

// The X CLIPBOARD selection through Qt. Qt emits the change signal for its own writes inside
// the write call, so guards raised around a write suppress it.
class TX11Clipboard : public IClipboard {
    Q_OBJECT
public:
    explicit TX11Clipboard(QObject* parent = nullptr);
    bool HasText() const override;
    QByteArray ReadText() const override;
    void WriteText(const QByteArray& text) override;
    void Clear() override;

private:
    QClipboard* Board;
};
