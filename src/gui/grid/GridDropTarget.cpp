// The grid as a drop target for text from other programs, scrolling near its edges.
#include "KXStringGrid.h"

#include <QDragMoveEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTimer>

Qt::DropAction TKXStringGrid::DropEffect(Qt::DropActions offered, Qt::DropActions allowed,
                                         Qt::KeyboardModifiers keys) {
    const Qt::DropActions both = offered & allowed;
    const bool shift = keys & Qt::ShiftModifier, ctrl = keys & Qt::ControlModifier;
    if (shift && ctrl && both & Qt::LinkAction)
        return Qt::LinkAction;
    if (shift && !ctrl && both & Qt::MoveAction)
        return Qt::MoveAction;
    for (Qt::DropAction action : {Qt::CopyAction, Qt::MoveAction, Qt::LinkAction}) {
        if (both & action)
            return action;
    }
    return Qt::IgnoreAction;
}

void TKXStringGrid::SetDropTarget(bool on) {
    setAcceptDrops(on);
    viewport()->setAcceptDrops(on);
}

bool TKXStringGrid::AcceptDrag(QDropEvent* event) {
    const Qt::DropAction effect =
        event->mimeData()->hasText()
            ? DropEffect(event->possibleActions(), DropEffects, event->modifiers())
            : Qt::IgnoreAction;
    if (effect == Qt::IgnoreAction) {
        event->ignore();
        return false;
    }
    event->setDropAction(effect);
    event->accept();
    return true;
}

void TKXStringGrid::dragEnterEvent(QDragEnterEvent* event) {
    AcceptDrag(event);
}

void TKXStringGrid::dragMoveEvent(QDragMoveEvent* event) {
    AcceptDrag(event);
    // Within a font's height of the top or bottom edge the list scrolls a row every 100 ms.
    const int margin = fontMetrics().height();
    const int y = event->position().toPoint().y();
    const bool scrollable = verticalScrollBar()->isVisible();
    DropScrollBy = !scrollable ? 0 : y < margin ? -1 : y >= viewport()->height() - margin ? 1 : 0;
    if (!DropScroll) {
        DropScroll = new QTimer(this);
        DropScroll->setInterval(100);
        connect(DropScroll, &QTimer::timeout, this, &TKXStringGrid::DropScrollStep);
    }
    if (DropScrollBy == 0)
        DropScroll->stop();
    else if (!DropScroll->isActive())
        DropScroll->start();
}

void TKXStringGrid::DropScrollStep() {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + DropScrollBy * bar->singleStep());
}

void TKXStringGrid::dragLeaveEvent(QDragLeaveEvent* event) {
    if (DropScroll)
        DropScroll->stop();
    event->accept();
}

void TKXStringGrid::dropEvent(QDropEvent* event) {
    if (DropScroll)
        DropScroll->stop();
    // The text is fetched only now, at the drop.
    if (AcceptDrag(event))
        emit TextDropped(event->mimeData()->text());
}
