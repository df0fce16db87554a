#pragma once

#include "StringGridModel.h"

#include <QFlags>
#include <QTableView>

class QTimer;

enum TOnKeyDown { kdNever, kdAlways, kdLastRowNotEmpty };
enum TOnTitleClick { tcNone, tcAscending, tcDescending };

enum TGridOption {
    goRangeSelect = 0x1,
    goRowSelect = 0x2,
    goEditing = 0x4,
    goAlwaysShowEditor = 0x8,
    goLines = 0x10, // grid lines between cells
};
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

struct TGridRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TGridRect&) const = default;
};

// A string grid of byte cells with row operations, a column sort, a rule for Down on the last
// row, line breaks typed into a cell turned into spaces, a Modified flag, and comma-delimited
// export and import.
class TKXStringGrid : public QTableView {
    Q_OBJECT
public:
    explicit TKXStringGrid(QWidget* parent = nullptr);

    TOnKeyDown NewRowOnKeyDown = kdAlways;
    TOnTitleClick SortOnTitleClick = tcAscending;
    bool EOLToSpace = true;
    QString About = QStringLiteral("TKXStringGrid v1.01");
    bool Modified = false;

    // The underlying grid.
    TStringGridModel& Model() { return *Data; }
    QByteArray Cells(int col, int row) const { return Data->Cell(col, row); }
    void SetCells(int col, int row, const QByteArray& text) { Data->SetCell(col, row, text); }
    int RowCount() const { return Data->RowCount(); }
    void SetRowCount(int count) { Data->SetRowCount(count); }
    int ColCount() const { return Data->ColCount(); }
    void SetColCount(int count) { Data->SetColCount(count); }
    int FixedRows() const { return Data->FixedRows; }
    int FixedCols() const { return Data->FixedCols; }
    void SetFixed(int rows, int cols);
    int Row() const;
    int Col() const;
    void SetCurrent(int col, int row);
    TGridRect Selection() const;
    void SetSelection(const TGridRect& rect);
    int TopRow() const;
    void SetTopRow(int row);
    TGridOptions Options() const { return GridOptions; }
    void SetOptions(TGridOptions options);
    void SetDefaultRowHeight(int pixels);

    // Row operations; each raises Modified.
    virtual void SortByColumn(int col, bool ascending);
    virtual void RemoveRow(int row);
    // RemoveRow for each of rows top..bottom with an empty row added at the end each time, at
    // once: the row count, the selection and the top visible row stay.
    void RemoveRowsKeepingCount(int top, int bottom);
    virtual void InsertRow(int row);
    virtual void MoveRowTo(int from, int to);
    virtual void AppendRow();
    virtual void SaveToCSV(const QString& fileName);
    virtual void LoadFromCSV(const QString& fileName, bool append);

    // The row whose cell the in-place editor has open, or -1.
    int EditingRow() const;

    // The in-place editor hands its text over; editorModified is the editor's own state.
    void StoreEditedText(const QModelIndex& index, const QString& text, bool editorModified);

    // Dropped text: what a drop may do, and the effect chosen among those both sides allow
    // (GridDropTarget.cpp). Shift+Ctrl links, Shift moves, else copy, move, link in turn.
    Qt::DropActions DropEffects = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    static Qt::DropAction DropEffect(Qt::DropActions offered, Qt::DropActions allowed,
                                     Qt::KeyboardModifiers keys);
    void SetDropTarget(bool on); // off: nothing can be dropped on the grid
    // A drag out began since the right button went down: its release opens no menu.
    void NoteDragOut() { RightDragged = true; }

signals:
    // The owner's key handler, after the Down rule and before the grid moves; setting
    // key to 0 stops the grid's own handling.
    void KeyDown(int& key, Qt::KeyboardModifiers modifiers);
    // The owner's mouse handler, after the grid's own handling and before a title sort.
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    // Viewport coordinates, after the grid's own handling.
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);
    // The right button released without a drag since its press, or the keyboard's menu key.
    void PopupRequested(QPoint pos);
    void TextDropped(const QString& text);
    // The user's text went into a cell from its editor.
    void TextEdited();
    // A sort moved the rows: origin[row] is the row that each row came from.
    void RowsSorted(const QList<int>& origin);
    // The cell editor shows the cell's text read-only: a line of it is too long to edit.
    void EditorShownReadOnly();

protected:
    bool ExtendToEnd(const QKeyEvent* event);
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool RowHasText(int row) const;
    bool AcceptDrag(QDropEvent* event); // false: not taken
    void DropScrollStep();

    QTimer* DropScroll = nullptr;
    int DropScrollBy = 0;      // rows per tick while a drag is near the top (-1) or bottom (1) edge
    bool RightDragged = false; // a drag ran since the right button went down

    TStringGridModel* Data;
    TGridOptions GridOptions;
    bool TitleSortAscending = true;
};
