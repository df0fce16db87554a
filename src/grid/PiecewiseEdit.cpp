#include "PiecewiseEdit.h"

#include <QTextCursor>
#include <QTimer>

static_assert(TPiecewiseEdit::SplitAbove >= TPiecewiseEdit::Piece,
              "a text with a line to break comes in pieces");

namespace {
bool IsLineEnd(QChar c) {
    return c == QLatin1Char('\n') || c == QChar::ParagraphSeparator;
}

// The end of the line starting at start: its LF, or the text's end.
qsizetype LineEnd(const QString& text, qsizetype start) {
    const qsizetype lf = text.indexOf(QLatin1Char('\n'), start);
    return lf < 0 ? text.size() : lf;
}

bool HasLineLongerThan(const QString& text, qsizetype limit) {
    for (qsizetype start = 0; start < text.size();) {
        const qsizetype end = LineEnd(text, start);
        const bool cr = end < text.size() && end > start && text.at(end - 1) == QLatin1Char('\r');
        if (end - start - (cr ? 1 : 0) > limit)
            return true;
        start = end + 1;
    }
    return false;
}

// The text with a paragraph separator after every `part` characters of a line, never between
// the halves of a surrogate pair.
QString BrokenLines(const QString& text, qsizetype part) {
    QString out;
    out.reserve(text.size() + text.size() / part + 1);
    for (qsizetype start = 0; start < text.size();) {
        const qsizetype lineEnd = LineEnd(text, start);
        const qsizetype end = std::min(lineEnd + 1, text.size());
        qsizetype at = start;
        while (lineEnd - at > part) {
            qsizetype cut = at + part;
            if (text.at(cut).isLowSurrogate())
                --cut;
            out += QStringView(text).sliced(at, cut - at);
            out += QChar::ParagraphSeparator;
            at = cut;
        }
        out += QStringView(text).sliced(at, end - at);
        start = end;
    }
    return out;
}
} // namespace

void TPiecewiseEdit::LoadText(const QString& text) {
    if (IsLoading() || Split)
        setReadOnly(WasReadOnly);
    Pending.clear();
    Offset = 0;
    WasReadOnly = isReadOnly();
    Split = HasLineLongerThan(text, SplitAbove);
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
    Pending = Split ? BrokenLines(text, DisplayLine) : text;
    clear();
    setReadOnly(true);
    if (Split)
        emit ShownReadOnly();
    LoadNext();
}

void TPiecewiseEdit::LoadNext() {
    if (!IsLoading())
        return;
    // Each piece ends after a line end: a line put in over several pieces would be laid out
    // anew for each of them.
    qsizetype end = Offset + Piece;
    while (end < Pending.size() && !IsLineEnd(Pending.at(end - 1)))
        ++end;
    end = std::min(end, Pending.size());
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
    setReadOnly(WasReadOnly || Split);
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
