// Grid hints: a clip too wide for its column shows whole while the mouse rests on it.
#include "GridHint.h"

#include "KXStringGrid.h"
#include "core/text/ClipText.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

// The hint lies over the cell it shows: clicks must reach the cell through it, which takes
// an empty input shape on the X window, not only Qt's own mouse handling.
THintWindow::THintWindow(QWidget* owner)
    : QFrame(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                        Qt::WindowTransparentForInput) {
    setObjectName(QStringLiteral("HintWindow"));
    setPalette(QToolTip::palette());
    setBackgroundRole(QPalette::ToolTipBase);
    setFont(QToolTip::font());
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QString THintWindow::HintText(const QByteArray& clip) {
    qsizetype n = std::min<qsizetype>(clip.size(), MaxBytes);
    // Cut between characters, so that the part decodes as the whole does.
    while (n > 0 && n < clip.size() && (uchar(clip[n]) & 0xC0) == 0x80)
        --n;
    QString text = ClipText::Decode(clip.left(n));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\t'), QStringLiteral("    "));
    bool cut = n < clip.size();
    qsizetype at = -1;
    for (int line = 0; line < MaxLines && at < text.size(); ++line) {
        at = text.indexOf(QLatin1Char('\n'), at + 1);
        if (at < 0)
            break;
    }
    if (at >= 0 && at < text.size() - 1) {
        text.truncate(at);
        cut = true;
    }
    return cut ? text + QChar(0x2026) : text;
}

void THintWindow::ShowAt(const QPoint& topLeft, const QString& text) {
    QScreen* screen = QGuiApplication::screenAt(topLeft);
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int edge = 2 * (Margin + frameWidth());
    const int widest = area.width() - edge;
    const QRect room(0, 0, widest, 1 << 20);
    Flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    QRect fits = fontMetrics().boundingRect(room, Flags, text);
    if (fits.width() > widest) {
        Flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere;
        fits = fontMetrics().boundingRect(room, Flags, text);
    }
    Text = text;
    setFixedSize(std::min(fits.width(), widest) + edge, fits.height() + edge);
    // Wholly on the screen: moved left, or up, as far as it would run over the edge.
    move(std::max(area.left(), std::min(topLeft.x(), area.right() + 1 - width())),
         std::max(area.top(), std::min(topLeft.y(), area.bottom() + 1 - height())));
    show();
    PassClicksThrough();
    update();
}

// Qt's xcb layer loses the empty input shape when it makes a tool tip window anew on showing
// it (the window flags it adds force that), and takes the flag as set already; setting it
// again on each new native window puts the shape back.
void THintWindow::PassClicksThrough() {
    if (!windowHandle() || windowHandle()->winId() == ShapedWindow)
        return;
    windowHandle()->setFlag(Qt::WindowTransparentForInput, false);
    windowHandle()->setFlag(Qt::WindowTransparentForInput, true);
    ShapedWindow = windowHandle()->winId();
}

void THintWindow::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    p.setPen(palette().color(QPalette::ToolTipText));
    const int inset = Margin + frameWidth();
    p.drawText(rect().adjusted(inset, inset, -inset, -inset), Flags, Text);
}

TGridHint::TGridHint(TKXStringGrid* grid, QWidget* owner)
    : QObject(owner), Grid(grid), Owner(owner), Timer1(new QTimer(this)) {
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &TGridHint::Timer1Timer);
}

void TGridHint::ShowAt(const QPoint& pos) {
    const QModelIndex cell = Grid->indexAt(pos);
    if (!cell.isValid()) {
        Hide();
        return;
    }
    const QString shown = cell.data(Qt::DisplayRole).toString();
    const bool tooWide =
        Grid->fontMetrics().horizontalAdvance(shown) + 2 > Grid->columnWidth(cell.column());
    if (!tooWide || Grid->EditingRow() >= 0 || !QApplication::activeWindow()) {
        Hide();
        return;
    }
    if (!HintWindow)
        HintWindow = new THintWindow(Owner);
    // Each hint shown is watched until the mouse leaves the list, not only the first.
    if (!Timer1->isActive())
        Timer1->start();
    const QPoint corner =
        Grid->viewport()->mapToGlobal(Grid->visualRect(cell).topLeft()) - QPoint(1, 1);
    // Still over the same cell: no flicker.
    if (HintWindow->isVisible() && HintWindow->pos() == corner)
        return;
    HintWindow->ShowAt(corner, THintWindow::HintText(Grid->Cells(cell.column(), cell.row())));
}

void TGridHint::Hide() {
    if (HintWindow)
        HintWindow->hide();
}

void TGridHint::Timer1Timer() {
    if (!HintWindow || !Grid->rect().contains(Grid->mapFromGlobal(QCursor::pos()))) {
        Hide();
        Timer1->stop();
    }
}
