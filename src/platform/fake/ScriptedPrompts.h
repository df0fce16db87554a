#pragma once

#include "platform/Prompts.h"

#include <QList>
#include <QQueue>

// Records every message and question; answers questions from a queue (the default answer
// when the queue is empty: the first button offered).
class TScriptedPrompts : public IPrompts {
public:
    struct TShown {
        QString Kind; // "message", "error" or "ask"
        QString Caption;
        QString Text;
        bool operator==(const TShown&) const = default;
    };

    void ShowMessage(const QString& text) override { Shown.append({"message", {}, text}); }
    void ShowError(const QString& text) override { Shown.append({"error", {}, text}); }
    TAnswer Ask(const QString& caption, const QString& text, TButtons buttons) override;

    QQueue<TAnswer> Answers;
    QList<TShown> Shown;
};
