#include "ScriptedPrompts.h"

TAnswer TScriptedPrompts::Ask(const QString& caption, const QString& text, TButtons buttons) {
    Shown.append({"ask", caption, text});
    if (!Answers.isEmpty())
        return Answers.dequeue();
    return buttons == TButtons::YesNo ? TAnswer::Yes : TAnswer::Ok;
}
