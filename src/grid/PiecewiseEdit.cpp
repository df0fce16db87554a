#include "PiecewiseEdit.h"

#include <QTextCursor>
#include <QTimer>

void TPiecewiseEdit::LoadText(const QString& text) {
    if (IsLoading())
        setReadOnly(WasReadOnly);
    Pending.clear();
    Offset = 0;
    if (text.isEmpty()) {
        const QSignalBlocker quiet(this); // emptying the editor is no change of its text
        clear();
        Done();
        return;
    }
    if (text.size() <= Piece) {
        setPlainText(text);
        Done();
        return;
    }
    Pending = text;
    WasReadOnly = isReadOnly();
    clear();
    setReadOnly(true);
    LoadNext();
}

void TPiecewiseEdit::LoadNext() {
    if (!IsLoading())
        return;
    // Each piece ends after a line break: a line put in over several pieces would be laid
    // out anew for each of them. A single line of many megabytes thus comes in one piece.
    const qsizetype lineEnd = Pending.indexOf(QLatin1Char('\n'), Offset + Piece - 1);
    const qsizetype end = lineEnd < 0 ? Pending.size() : lineEnd + 1;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(Pending.mid(Offset, end - Offset));
    Offset = end;
    if (IsLoading()) {
        QTimer::singleShot(0, this, &TPiecewiseEdit::LoadNext);
        return;
    }
    Pending.clear();
    Offset = 0;
    setReadOnly(WasReadOnly);
    Done();
}

void TPiecewiseEdit::Done() {
    Loaded();
    document()->setModified(false);
}

void TPiecewiseEdit::FinishLoading() {
    while (IsLoading())
        LoadNext();
}
