#pragma once

#include "gui/lang/UserMessages.h"

#include <QByteArray>
#include <QList>

#include <functional>

class IPrompts;
class QWidget;

// What the options dialog needs of the window it belongs to: where to show itself, how to ask
// and tell the user, the clips fewer rows would drop, and what a changed setting changes in it.
class IOptionsWindow : public IUserMessages {
public:
    virtual QWidget& Window() = 0;
    virtual IPrompts& Questions() = 0;
    // Runs a step; an error it raises goes to the general error report.
    virtual bool Guarded(const std::function<void()>& command) = 0;
    virtual QList<QByteArray> ClipTexts() const = 0;
    virtual void SuspendClipArchiving1Click() = 0; // NoArc flips
    virtual void ListFileNamed(const QString& oldFile) = 0;
    virtual void SetGridRows(int rows) = 0;
    virtual void RefreshOptions() = 0; // the settings, applied to the window

protected:
    ~IOptionsWindow() = default;
};
