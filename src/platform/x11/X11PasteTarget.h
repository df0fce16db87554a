#pragma once

#include "platform/PasteTarget.h"

#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>

struct xcb_connection_t;

// The window to paste into is found in the window manager's stacking list; the paste is
// Ctrl+V typed into it through XTest once the hot key's own key is up, with the Shift and
// Ctrl the user may still hold let go for those keys and pressed again after them. The paste
// is done when the window has fetched the clipboard's text.
class TX11PasteTarget : public IPasteTarget, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit TX11PasteTarget(QObject* parent = nullptr);
    ~TX11PasteTarget() override;
    quint64 FindPasteWindow() override;
    void Paste(quint64 window) override;
    bool IsOpen(quint64 window) override;
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

private:
    void Step();
    void Finish();
    bool KeyHeld() const; // a key other than a modifier: the hot key's grab may still run
    bool WindowManagerActivates() const;
    quint32 ActiveWindow() const;
    void Activate(quint32 window);
    void TypeControlV();
    QList<quint32> WindowProperty(quint32 window, quint32 atom) const;
    bool Skipped(quint32 window) const;

    xcb_connection_t* Connection = nullptr;
    quint32 Root = 0;
    struct {
        quint32 State, StateAbove, StateHidden, Type, TypeDock, TypeDesktop, Stacking, Active,
            Supported, Clipboard, Targets, Timestamp, Multiple;
    } Atoms{};
    quint32 Target = 0;
    bool Activated = false;
    bool Typed = false;    // Ctrl+V has gone out; waiting for the window to fetch the text
    QElapsedTimer Fetch;   // since Ctrl+V went out
    QElapsedTimer Waiting; // since the paste was asked for
    QElapsedTimer Ready;   // since the keys are up and the target has the focus
};
