#include "WaylandPasteTarget.h"

#include "WaylandClipboard.h"

namespace {
constexpr int FetchMs = 1000;
}

TWaylandPasteTarget::TWaylandPasteTarget(TWaylandClipboard& board, QObject* parent)
    : IPasteTarget(parent), Board(board) {
    Fetch.setSingleShot(true);
    Fetch.setInterval(FetchMs);
    connect(&Fetch, &QTimer::timeout, this, &IPasteTarget::Done);
    connect(&Board, &TWaylandClipboard::Fetched, this, [this] {
        if (Fetch.isActive()) {
            Fetch.stop();
            emit Done();
        }
    });
}

void TWaylandPasteTarget::Paste(quint64) {
    Fetch.start();
    Board.TypePaste();
}
