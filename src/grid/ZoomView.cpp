#include "ZoomView.h"

#include "main/ClipText.h"

#include <QTextCursor>
#include <QTimer>

TZoomView::TZoomView(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("Memo1"));
    setLineWrapMode(WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TZoomView::Load(const QByteArray& text) {
    Offset = 0;
    if (text.isEmpty()) {
        const QSignalBlocker quiet(this); // emptying the view is no change of the text
        Pending.clear();
        clear();
        ClearModified();
        return;
    }
    Pending = ClipText::Decode(text);
    if (Pending.size() <= Piece) {
        setPlainText(Pending);
        Pending.clear();
        ClearModified();
        return;
    }
    clear();
    setReadOnly(true);
    LoadNext();
}

void TZoomView::LoadNext() {
    if (!IsLoading())
        return;
    qsizetype end = std::min(Offset + Piece, Pending.size());
    // A CR LF is one line break: never split it between two pieces.
    if (end < Pending.size() && Pending.at(end - 1) == QLatin1Char('\r') &&
        Pending.at(end) == QLatin1Char('\n'))
        ++end;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(Pending.mid(Offset, end - Offset));
    Offset = end;
    if (IsLoading()) {
        QTimer::singleShot(0, this, &TZoomView::LoadNext);
        return;
    }
    Pending.clear();
    Offset = 0;
    setReadOnly(false);
    moveCursor(QTextCursor::Start);
    ClearModified();
}

void TZoomView::FinishLoading() {
    while (IsLoading())
        LoadNext();
}

QByteArray TZoomView::Text() {
    FinishLoading();
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String(ClipText::CRLF));
    return text.toUtf8();
}
