#include "ScriptedPrompts.h"

TAnswer TScriptedPrompts::Ask(const QString& caption, const QString& text, TButtons buttons) {
    Record({"ask", caption, text});
    if (Withdrawn)
        return TAnswer::Closed;
    if (!Answers.isEmpty())
        return Answers.dequeue();
    return buttons == TButtons::YesNo ? TAnswer::Yes : TAnswer::Ok;
}

QString TScriptedPrompts::Dialog(const QString& kind, TFileDialog& dialog) {
    Record({kind, {}, dialog.Filter});
    Dialogs.append(dialog);
    if (Withdrawn)
        return {};
    QString chosen = Files.isEmpty() ? QString() : Files.dequeue();
    if (!chosen.isEmpty())
        dialog.FileName = chosen;
    return chosen;
}

bool TScriptedPrompts::ChooseFont(TFontChoice& font, const QString& colorCaption,
                                  const std::function<void(const TFontChoice&)>& apply) {
    Shown.append({"font", colorCaption, font.Font.family()});
    const TFontSession session = Fonts.isEmpty() ? TFontSession{} : Fonts.dequeue();
    for (const TFontChoice& applied : session.Applied)
        apply(applied);
    if (!session.Confirmed)
        return false;
    font = *session.Confirmed;
    return true;
}
