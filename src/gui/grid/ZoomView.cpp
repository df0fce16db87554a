#include "ZoomView.h"

#include "core/text/ClipText.h"

#include <QTextCursor>

TZoomView::TZoomView(QWidget* parent) : TPiecewiseEdit(parent) {
    setObjectName(QStringLiteral("Memo1"));
    setLineWrapMode(WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TZoomView::Load(const QByteArray& text) {
    LoadText(ClipText::Decode(text));
    Given = IsSplit() ? text : QByteArray();
}

void TZoomView::Loaded() {
    moveCursor(QTextCursor::Start);
}

QByteArray TZoomView::Text() {
    if (IsSplit())
        return Given;
    FinishLoading();
    return EditedText(QLatin1String(ClipText::CRLF)).toUtf8();
}
