#pragma once

#include "platform/Prompts.h"

#include <QList>
#include <QQueue>

#include <functional>
#include <optional>
#include <utility>

// Records every message, question and file dialog; answers questions and dialogs from
// queues. An empty queue answers with the first button offered, and cancels a dialog.
class TScriptedPrompts : public IPrompts {
public:
    struct TShown {
        QString Kind; // "message", "error", "ask", "open", "save" or "font"
        QString Caption;
        QString Text; // for a dialog: its filter
        bool operator==(const TShown&) const = default;
    };

    void ShowMessage(const QString& text) override { Record({"message", {}, text}); }
    void ShowError(const QString& text) override { Record({"error", {}, text}); }
    TAnswer Ask(const QString& caption, const QString& text, TButtons buttons) override;
    QString OpenFile(TFileDialog& dialog) override { return Dialog("open", dialog); }
    QString SaveFile(TFileDialog& dialog) override { return Dialog("save", dialog); }
    bool ChooseFont(TFontChoice& font, const QString& colorCaption,
                    const std::function<void(const TFontChoice&)>& apply) override;
    // From then on, questions are answered Closed and dialogs cancelled (still recorded).
    void Withdraw(bool) override { Withdrawn = true; }
    bool Withdrawn = false;
    // Runs once while the next box or dialog is shown, before it is answered.
    std::function<void()> WhileShown;

    QQueue<TAnswer> Answers;
    QQueue<QString> Files;
    // The user's work in each font dialog: fonts applied in turn, then the font confirmed
    // (none: cancelled). An empty queue cancels.
    struct TFontSession {
        QList<TFontChoice> Applied;
        std::optional<TFontChoice> Confirmed;
    };
    QQueue<TFontSession> Fonts;
    QList<TShown> Shown;
    QList<TFileDialog> Dialogs; // each dialog as it was shown

private:
    QString Dialog(const QString& kind, TFileDialog& dialog);
    void Record(const TShown& shown) {
        Shown.append(shown);
        if (WhileShown)
            std::exchange(WhileShown, nullptr)();
    }
};
