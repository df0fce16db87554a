#pragma once

#include "platform/Prompts.h"

class QWidget;

// Real message boxes, owned by the given window when there is one.
class TQtPrompts : public IPrompts {
public:
    void SetOwner(QWidget* owner) { Owner = owner; }
    void ShowMessage(const QString& text) override;
    void ShowError(const QString& text) override;
    TAnswer Ask(const QString& caption, const QString& text, TButtons buttons) override;

private:
    QWidget* Owner = nullptr;
};
