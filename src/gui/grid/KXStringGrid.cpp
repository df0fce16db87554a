#include "KXStringGrid.h"

#include "CellEditor.h"
#include "core/grid/CsvField.h"
#include "core/grid/GridSort.h"

#include "core/Errors.h"
#include "core/text/ClipText.h"
#include <numeric>

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSaveFile>
#include <QScrollBar>

namespace {

// The sort column's texts held beside the rows, so that a comparison copies nothing.
struct GridRows {
    TStringGridModel& Model;
    QList<QByteArray> Keys;
    QList<int> Origin; // the row each row came from
    const QByteArray& Key(int row) const { return Keys.at(row); }
    void Swap(int a, int b) {
        Model.SwapRows(a, b);
        Keys.swapItemsAt(a, b);
        Origin.swapItemsAt(a, b);
    }
};

// Repaint suspended and the hourglass shown for the life of the object.
class TBusyGrid {
public:
    explicit TBusyGrid(QAbstractScrollArea* grid) : Grid(grid) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        Grid->setUpdatesEnabled(false);
    }
    ~TBusyGrid() {
        Grid->setUpdatesEnabled(true);
        Grid->viewport()->update();
        QApplication::restoreOverrideCursor();
    }

private:
    QAbstractScrollArea* Grid;
};

} // namespace

TKXStringGrid::TKXStringGrid(QWidget* parent)
    : QTableView(parent), Data(new TStringGridModel(this)) {
    setModel(Data);
    setItemDelegate(new TCellDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    SetDefaultRowHeight(24);
    for (int c = 0; c < ColCount(); ++c)
        setColumnWidth(c, 64);
    SetOptions(goLines | goRangeSelect | goEditing | goAlwaysShowEditor);
    viewport()->setMouseTracking(true);
    SetDropTarget(true);
}

void TKXStringGrid::SetFixed(int rows, int cols) {
    Data->FixedRows = std::max(rows, 0);
    Data->FixedCols = std::max(cols, 0);
    Data->RowsChanged(0, RowCount() - 1);
}

void TKXStringGrid::SetDefaultRowHeight(int pixels) {
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(pixels);
}

void TKXStringGrid::SetOptions(TGridOptions options) {
    GridOptions = options;
    setSelectionBehavior(options & goRowSelect ? SelectRows : SelectItems);
    setSelectionMode(options & goRangeSelect ? ContiguousSelection : SingleSelection);
    if (options & goEditing) {
        // A double click zooms; editing starts by keys.
        EditTriggers triggers = EditKeyPressed | AnyKeyPressed;
        if (options & goAlwaysShowEditor)
            triggers |= SelectedClicked;
        setEditTriggers(triggers);
    } else {
        setEditTriggers(NoEditTriggers);
    }
    setShowGrid(options & goLines);
}

int TKXStringGrid::Row() const {
    return currentIndex().isValid() ? currentIndex().row() : 0;
}

int TKXStringGrid::Col() const {
    return currentIndex().isValid() ? currentIndex().column() : 0;
}

void TKXStringGrid::SetCurrent(int col, int row) {
    const QModelIndex i = Data->index(row, col);
    if (i.isValid())
        selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect |
                                                 (GridOptions & goRowSelect
                                                      ? QItemSelectionModel::Rows
                                                      : QItemSelectionModel::NoUpdate));
}

TGridRect TKXStringGrid::Selection() const {
    const QItemSelection ranges = selectionModel()->selection();
    if (ranges.isEmpty())
        return {Col(), Row(), Col(), Row()};
    TGridRect r{INT_MAX, INT_MAX, -1, -1};
    for (const QItemSelectionRange& range : ranges) {
        r.Left = std::min(r.Left, range.left());
        r.Top = std::min(r.Top, range.top());
        r.Right = std::max(r.Right, range.right());
        r.Bottom = std::max(r.Bottom, range.bottom());
    }
    return r;
}

void TKXStringGrid::SetSelection(const TGridRect& rect) {
    const int lastRow = RowCount() - 1;
    const int lastCol = ColCount() - 1;
    const QModelIndex topLeft =
        Data->index(std::clamp(rect.Top, 0, lastRow), std::clamp(rect.Left, 0, lastCol));
    const QModelIndex bottomRight =
        Data->index(std::clamp(rect.Bottom, 0, lastRow), std::clamp(rect.Right, 0, lastCol));
    selectionModel()->setCurrentIndex(bottomRight, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(topLeft, bottomRight),
                             QItemSelectionModel::ClearAndSelect);
}

int TKXStringGrid::TopRow() const {
    return verticalScrollBar()->value();
}

void TKXStringGrid::SetTopRow(int row) {
    verticalScrollBar()->setValue(row);
}

void TKXStringGrid::SortByColumn(int col, bool ascending) {
    QList<int> origin(RowCount());
    std::iota(origin.begin(), origin.end(), 0);
    {
        TBusyGrid busy(this);
        GridRows rows{*Data, Data->Column(col), std::move(origin)};
        GridSort::Sort(rows, FixedRows(), RowCount() - 1, ascending, ClipText::Compare);
        Data->RowsChanged(FixedRows(), RowCount() - 1);
        origin = std::move(rows.Origin);
    }
    Modified = true;
    emit RowsSorted(origin);
}

void TKXStringGrid::RemoveRow(int row) {
    if (Row() < FixedRows())
        return;
    const int top = TopRow();
    Data->ClearRow(row);
    const TGridRect selection = Selection();
    Data->DeleteRow(row);
    SetSelection(selection);
    SetTopRow(top);
    Modified = true;
}

void TKXStringGrid::RemoveRowsKeepingCount(int top, int bottom) {
    if (Row() < FixedRows())
        return;
    const int first = TopRow();
    const TGridRect selection = Selection();
    Data->DeleteRowsKeepingCount(top, bottom);
    SetSelection(selection);
    SetTopRow(first);
    Modified = true;
}

void TKXStringGrid::InsertRow(int row) {
    Data->InsertEmptyRow(row);
    Modified = true;
}

void TKXStringGrid::MoveRowTo(int from, int to) {
    Data->MoveRow(from, to);
    Modified = true;
}

void TKXStringGrid::AppendRow() {
    SetRowCount(RowCount() + 1);
    Modified = true;
}

void TKXStringGrid::SaveToCSV(const QString& fileName) {
    auto line = [this](int row) {
        QByteArray out;
        for (int c = FixedCols(); c < ColCount(); ++c) {
            if (c > FixedCols())
                out += ',';
            out += Cells(c, row);
        }
        return out + ClipText::CRLF;
    };
    QByteArray bytes = line(0);
    for (int r = FixedRows(); r < RowCount(); ++r)
        bytes += line(r);
    if (fileName.isEmpty())
        return;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw EQuillery(
            QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
}

void TKXStringGrid::LoadFromCSV(const QString& fileName, bool /*append*/) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EQuillery(
            QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    const QList<QByteArray> lines = ClipText::SplitLines(file.readAll());
    Data->ClearAll();
    SetRowCount(std::max<qsizetype>(FixedRows() + 1, lines.size()));
    for (int r = 0; r < lines.size(); ++r) {
        for (int c = FixedCols(); c < ColCount(); ++c)
            SetCells(c, r, CsvField(lines[r], c - FixedCols()));
    }
    Modified = true;
}

void TKXStringGrid::StoreEditedText(const QModelIndex& index, const QString& text,
                                    bool editorModified) {
    Data->setData(index, text, Qt::EditRole);
    if (editorModified)
        emit TextEdited();
    if (!EOLToSpace)
        return;
    const QByteArray cell = Cells(index.column(), index.row());
    QByteArray spaced = cell;
    spaced.replace(ClipText::CRLF, " ");
    if (spaced != cell)
        SetCells(index.column(), index.row(), spaced);
    if (!Modified)
        Modified = editorModified;
}

int TKXStringGrid::EditingRow() const {
    // Not state(): removing any row resets it while the editor stays open.
    return indexWidget(currentIndex()) ? currentIndex().row() : -1;
}

bool TKXStringGrid::RowHasText(int row) const {
    for (int c = 0; c < ColCount(); ++c) {
        if (!Cells(c, row).isEmpty())
            return true;
    }
    return false;
}

// Shift+Ctrl+Home and End extend the selection to the first or last row, as in every list
// (the view itself moves only the current cell with Ctrl held).
bool TKXStringGrid::ExtendToEnd(const QKeyEvent* event) {
    const bool home = event->key() == Qt::Key_Home;
    if ((!home && event->key() != Qt::Key_End) || selectionMode() != ContiguousSelection ||
        event->modifiers() != (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    const TGridRect sel = Selection();
    const int anchor = Row() == sel.Top ? sel.Bottom : sel.Top;
    const int target = home ? FixedRows() : RowCount() - 1;
    SetSelection({sel.Left, std::min(anchor, target), sel.Right, std::max(anchor, target)});
    selectionModel()->setCurrentIndex(Data->index(target, Col()), QItemSelectionModel::NoUpdate);
    scrollTo(currentIndex());
    return true;
}

void TKXStringGrid::keyPressEvent(QKeyEvent* event) {
    if (ExtendToEnd(event))
        return;
    int key = event->key();
    if (key == Qt::Key_Down && Row() == RowCount() - 1 &&
        (NewRowOnKeyDown == kdAlways ||
         (NewRowOnKeyDown == kdLastRowNotEmpty && RowHasText(Row())))) {
        SetRowCount(RowCount() + 1);
        SetCurrent(Col(), RowCount() - 1);
    }
    emit KeyDown(key, event->modifiers());
    if (key == 0)
        return;
    QTableView::keyPressEvent(event);
}

void TKXStringGrid::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton)
        RightDragged = false;
    emit MouseDown(event->button(), event->modifiers(), pos);
    if (SortOnTitleClick == tcNone || FixedRows() == 0 || rowAt(pos.y()) != 0)
        return;
    const int col = columnAt(pos.x());
    if (col < 0)
        return;
    SortByColumn(col, TitleSortAscending);
    TitleSortAscending = !TitleSortAscending;
}

void TKXStringGrid::mouseMoveEvent(QMouseEvent* event) {
    QTableView::mouseMoveEvent(event);
    emit MouseMove(event->buttons(), event->modifiers(), event->position().toPoint());
}

void TKXStringGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && !RightDragged)
        emit PopupRequested(event->position().toPoint());
}

// The menu opens on the right button's release, after a drag could have begun; the keyboard's
// menu key opens it at the current cell.
void TKXStringGrid::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (event->reason() != QContextMenuEvent::Mouse)
        emit PopupRequested(visualRect(currentIndex()).center());
}
