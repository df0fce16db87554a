#pragma once

#include "X11SelectionWatcher.h"
#include "platform/Clipboard.h"

class QClipboard;

// The X CLIPBOARD selection. Other programs' copies are fetched by a watcher thread the
// moment they happen and announced here in order; the program's own writes go through Qt,
// are announced inside the write call, and their later owner-change notice is dropped.
class TX11Clipboard : public IClipboard {
    Q_OBJECT
public:
    explicit TX11Clipboard(QObject* parent = nullptr);
    bool HasText() const override;
    QByteArray ReadText() const override;
    void WriteText(const QByteArray& text) override;
    void Clear() override;

private:
    void Announce(const TSelectionSnapshot& snapshot);

    QClipboard* Board;
    TX11SelectionWatcher Watcher;
    quint32 OwnWindow = 0;
    TSelectionSnapshot Current;
};
