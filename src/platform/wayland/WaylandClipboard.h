#pragma once

#include "DataControl.h"
#include "platform/Clipboard.h"

#include <QThread>

// The clipboard through Wayland's data-control protocol, which is made for clipboard
// managers: every copy is seen and read whatever window has the focus, and a clip set here is
// served to every reader while another program has the focus. The protocol runs on a thread
// and a Wayland connection of its own (Qt gives no access to its own), so that a busy window
// never delays a read while the copying program still serves it. The program's own writes are
// never announced.
class TWaylandClipboard : public IClipboard {
    Q_OBJECT
public:
    explicit TWaylandClipboard(QObject* parent = nullptr);
    ~TWaylandClipboard() override;
    // False where there is no Wayland desktop, or it offers no data control.
    bool IsConnected() const { return Connected; }

    bool HasText() const override;
    QByteArray ReadText() const override;
    void WriteText(const QByteArray& text) override;
    void Clear() override;
    bool TooLarge() const override { return Current.TooLarge; }
    void Settle() override;
    // The desktop lets a program type: Ctrl+V after the clip last written, to the window with
    // the keyboard focus; Fetched when a program has read that clip.
    bool CanType() const { return Typing; }
    bool ExtDataControl() const { return Ext; } // the standard protocol, not the wlr one
    void TypePaste();

signals:
    void Fetched();

private:
    QThread Thread;
    TDataControl* Control; // lives on Thread
    bool Connected = false;
    bool Up = true; // the connection, as last heard from its thread
    bool Typing = false;
    bool Ext = false;
    TClipSnapshot Current;
};
