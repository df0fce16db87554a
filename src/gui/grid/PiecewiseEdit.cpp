#include "PiecewiseEdit.h"

#include <QKeyEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <limits>

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
// The characters that the document turns into a break between blocks on loading.
bool IsBlockBreak(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator ||
           c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1;
}
} // namespace

void TPiecewiseEdit::NoteLineEnds(const QString& text) {
    SameEnd = TEnd::None;
    Ends.clear();
    qsizetype count = 0; // line ends so far; each line's own kept only once the kinds mix
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!IsBlockBreak(c))
            continue;
        const bool crlf =
            c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n');
        const TEnd end = c == QLatin1Char('\n')           ? TEnd::LF
                         : c == QChar::ParagraphSeparator ? TEnd::Paragraph
                         : c.unicode() == 0xFDD0          ? TEnd::FrameStart
                         : c.unicode() == 0xFDD1          ? TEnd::FrameEnd
                         : crlf                           ? TEnd::CRLF
                                                          : TEnd::CR;
        if (count++ == 0)
            SameEnd = end;
        else if (Ends.isEmpty() && end != SameEnd)
            Ends = QList<TEnd>(count - 1, SameEnd);
        if (!Ends.isEmpty())
            Ends.append(end);
        i += crlf;
    }
    if (!Ends.isEmpty())
        SameEnd = TEnd::None;
}

void TPiecewiseEdit::NoteChange(int from, int, int added) {
    ChangedFrom = std::min<qsizetype>(ChangedFrom, from);
    ChangedToEnd = std::min<qsizetype>(ChangedToEnd, document()->characterCount() - (from + added));
}

QString TPiecewiseEdit::EditedText(const QString& newLine) const {
    static const QString ends[] = {{},
                                   QStringLiteral("\n"),
                                   QStringLiteral("\r"),
                                   QStringLiteral("\r\n"),
                                   QString(QChar::ParagraphSeparator),
                                   QString(QChar(0xFDD0)),
                                   QString(QChar(0xFDD1))};
    // The raw text keeps what plain text would change (no-break spaces, line separators);
    // a paragraph separator parts its blocks, at the same positions as in the document.
    const QString raw = document()->toRawText();
    const qsizetype tail = document()->characterCount() - ChangedToEnd;
    const qsizetype n = raw.count(QChar::ParagraphSeparator), m = Ends.size();
    const QString& other = SameEnd == TEnd::None ? newLine : ends[int(SameEnd)];
    QString out;
    out.reserve(raw.size() + n);
    qsizetype k = 0, start = 0;
    for (qsizetype p = 0; p < raw.size(); ++p) {
        if (raw.at(p) != QChar::ParagraphSeparator)
            continue;
        // A line end the user left alone is the one it was, counted from the start or the end.
        const qsizetype was = p < ChangedFrom ? k : p >= tail ? m - (n - k) : -1;
        out += QStringView(raw).sliced(start, p - start);
        out += was >= 0 && was < m ? ends[int(Ends.at(was))] : other;
        start = p + 1;
        ++k;
    }
    out += QStringView(raw).sliced(start);
    return out;
}

void TPiecewiseEdit::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & Qt::ShiftModifier) && !isReadOnly()) {
        insertPlainText(QStringLiteral("\n"));
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TPiecewiseEdit::LoadText(const QString& text) {
    if (IsLoading() || Split)
        setReadOnly(WasReadOnly);
    Pending.clear();
    Offset = 0;
    WasReadOnly = isReadOnly();
    Split = HasLineLongerThan(text, SplitAbove);
    NoteLineEnds(text);
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
    ChangedFrom = ChangedToEnd = std::numeric_limits<qsizetype>::max();
    connect(document(), &QTextDocument::contentsChange, this, &TPiecewiseEdit::NoteChange,
            Qt::UniqueConnection);
}

void TPiecewiseEdit::FinishLoading() {
    while (IsLoading())
        LoadNext();
}
