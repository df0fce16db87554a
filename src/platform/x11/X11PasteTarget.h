#pragma once

#include "platform/PasteTarget.h"

#include <QElapsedTimer>
#include <QObject>

struct xcb_connection_t;

// The window to paste into is found in the window manager's stacking list; the paste is
// Ctrl+V typed into it through XTest once the user has released Shift and Ctrl.
class TX11PasteTarget : public QObject, public IPasteTarget {
    Q_OBJECT
public:
    explicit TX11PasteTarget(QObject* parent = nullptr);
    quint64 FindPasteWindow() override;
    void Paste(quint64 window) override;

private:
    void Step();
    bool ModifiersHeld() const;
    quint32 ActiveWindow() const;
    void Activate(quint32 window);
    void TypeControlV();
    QList<quint32> WindowProperty(quint32 window, quint32 atom) const;
    bool Skipped(quint32 window) const;

    xcb_connection_t* Connection = nullptr;
    quint32 Root = 0;
    struct {
        quint32 State, StateAbove, StateHidden, Type, TypeDock, TypeDesktop, Stacking, Active;
    } Atoms{};
    quint32 Target = 0;
    bool Activated = false;
    QElapsedTimer Waiting; // since the paste was asked for
    QElapsedTimer Ready;   // since the keys are up and the target has the focus
};
