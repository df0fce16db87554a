#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QList>

// The cells of a string grid: byte strings addressed by (column, row), both from 0.
// A cell never written holds the empty text. Rows are stored sparsely: a row whose cells were
// never written costs one empty list, so a grid of a million rows stays small.
class TStringGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TStringGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QByteArray Cell(int col, int row) const;
    void SetCell(int col, int row, const QByteArray& text);
    // One column's texts, row by row; setting them announces one change, not one per row.
    QList<QByteArray> Column(int col) const;
    void SetColumn(int col, const QList<QByteArray>& texts);

    int RowCount() const { return static_cast<int>(Rows.size()); }
    int ColCount() const { return Cols; }
    void SetRowCount(int count); // 0 or less gives 1 row
    void SetColCount(int count);
    int FixedRows = 0;
    int FixedCols = 0;

    void InsertEmptyRow(int at);
    void DeleteRow(int row); // a grid of one row keeps it, emptied
    // Rows first..last go; as many empty rows come in at the end. One change, not one a row.
    void DeleteRowsKeepingCount(int first, int last);
    void MoveRow(int from, int to);
    void ClearRow(int row);
    void ClearAll(); // empties every cell; the row count stays

    // For sorting: exchange storage without notifying; call RowsChanged afterwards.
    void SwapRows(int a, int b) { Rows.swapItemsAt(a, b); }
    void RowsChanged(int first, int last);

private:
    bool Valid(int col, int row) const;

    QList<QList<QByteArray>> Rows;
    int Cols = 5;
};
