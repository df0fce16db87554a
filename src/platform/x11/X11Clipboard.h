#pragma once

#include "X11SelectionWatcher.h"
#include "platform/Clipboard.h"

class QClipboard;

// The X CLIPBOARD selection. Other programs' copies are fetched by a watcher thread the
// moment they happen and announced here in order; the program's own writes go through Qt,
// are announced inside the write call, and their later owner-change notice is dropped. A copy
// the user makes inside the program (Ctrl+C in an editor) also goes through Qt, outside such a
// write: it is announced like any other program's copy.
class TX11Clipboard : public IClipboard {
    Q_OBJECT
public:
    // withoutFocus: the desktop shows it every copy (X11, or a Wayland desktop mirroring all).
    explicit TX11Clipboard(bool withoutFocus = true, QObject* parent = nullptr);
    bool HasText() const override;
    QByteArray ReadText() const override;
    void WriteText(const QByteArray& text) override;
    void Clear() override;
    bool TooLarge() const override { return Current.TooLarge; }
    bool RecordsWithoutFocus() const override;

private:
    void Announce(const TSelectionSnapshot& snapshot);
    void BoardChanged(int mode);
    void LearnOwnWindow();

    QClipboard* Board;
    bool WithoutFocus;
    TX11SelectionWatcher Watcher;
    quint32 OwnWindow = 0;
    bool Writing = false; // inside the program's own write or clear
    TSelectionSnapshot Current;
};
