#include "StringGridModel.h"

#include "core/text/ClipText.h"

#include <QApplication>
#include <QPalette>

TStringGridModel::TStringGridModel(QObject* parent) : QAbstractTableModel(parent) {
    Rows.resize(5);
}

int TStringGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RowCount();
}

int TStringGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Cols;
}

bool TStringGridModel::Valid(int col, int row) const {
    return row >= 0 && row < RowCount() && col >= 0 && col < Cols;
}

QByteArray TStringGridModel::Cell(int col, int row) const {
    if (!Valid(col, row))
        return {};
    const QList<QByteArray>& cells = Rows.at(row);
    return col < cells.size() ? cells.at(col) : QByteArray();
}

void TStringGridModel::SetCell(int col, int row, const QByteArray& text) {
    if (!Valid(col, row))
        return;
    QList<QByteArray>& cells = Rows[row];
    if (col >= cells.size()) {
        if (text.isEmpty())
            return;
        cells.resize(Cols);
    }
    cells[col] = text;
    const QModelIndex i = index(row, col);
    emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
}

QList<QByteArray> TStringGridModel::Column(int col) const {
    QList<QByteArray> texts;
    texts.reserve(Rows.size());
    for (int r = 0; r < RowCount(); ++r)
        texts.append(Cell(col, r));
    return texts;
}

void TStringGridModel::SetColumn(int col, const QList<QByteArray>& texts) {
    if (col < 0 || col >= Cols)
        return;
    const int n = std::min(RowCount(), int(texts.size()));
    for (int r = 0; r < n; ++r) {
        QList<QByteArray>& cells = Rows[r];
        if (col >= cells.size()) {
            if (texts[r].isEmpty())
                continue;
            cells.resize(Cols);
        }
        cells[col] = texts[r];
    }
    emit dataChanged(index(0, col), index(std::max(n, 1) - 1, col),
                     {Qt::DisplayRole, Qt::EditRole});
}

QVariant TStringGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const bool fixed = index.row() < FixedRows || index.column() < FixedCols;
    switch (role) {
    case Qt::DisplayRole:
        return ClipText::Preview(Cell(index.column(), index.row()));
    case Qt::EditRole:
        return ClipText::Decode(Cell(index.column(), index.row()));
    case Qt::BackgroundRole:
        return fixed ? QVariant(QApplication::palette().button()) : QVariant();
    default:
        return {};
    }
}

bool TStringGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const QString text = value.toString();
    const QByteArray old = Cell(index.column(), index.row());
    // Unchanged text keeps its bytes, whatever code page they came in.
    if (ClipText::Decode(old) != text)
        SetCell(index.column(), index.row(), text.toUtf8());
    return true;
}

Qt::ItemFlags TStringGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.row() < FixedRows || index.column() < FixedCols)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void TStringGridModel::SetRowCount(int count) {
    count = std::max(count, 1);
    const int old = RowCount();
    if (count > old) {
        beginInsertRows({}, old, count - 1);
        Rows.resize(count);
        endInsertRows();
    } else if (count < old) {
        beginRemoveRows({}, count, old - 1);
        Rows.resize(count);
        endRemoveRows();
    }
}

void TStringGridModel::SetColCount(int count) {
    count = std::max(count, 1);
    if (count == Cols)
        return;
    beginResetModel();
    Cols = count;
    for (QList<QByteArray>& cells : Rows) {
        if (cells.size() > Cols)
            cells.resize(Cols);
    }
    endResetModel();
}

void TStringGridModel::InsertEmptyRow(int at) {
    at = std::clamp(at, 0, RowCount());
    beginInsertRows({}, at, at);
    Rows.insert(at, QList<QByteArray>());
    endInsertRows();
}

void TStringGridModel::DeleteRow(int row) {
    if (row < 0 || row >= RowCount())
        return;
    if (RowCount() == 1) {
        ClearRow(0);
        return;
    }
    beginRemoveRows({}, row, row);
    Rows.removeAt(row);
    endRemoveRows();
}

void TStringGridModel::DeleteRowsKeepingCount(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, RowCount() - 1);
    if (first > last)
        return;
    const int n = last - first + 1;
    beginRemoveRows({}, first, last);
    Rows.remove(first, n);
    endRemoveRows();
    beginInsertRows({}, RowCount(), RowCount() + n - 1);
    Rows.resize(RowCount() + n);
    endInsertRows();
}

void TStringGridModel::MoveRow(int from, int to) {
    const int n = RowCount();
    if (from == to || from < 0 || to < 0 || from >= n || to >= n)
        return;
    // Qt names the destination as the row in front of which the moved row lands.
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    Rows.move(from, to);
    endMoveRows();
}

void TStringGridModel::ClearRow(int row) {
    if (row < 0 || row >= RowCount() || Rows[row].isEmpty())
        return;
    Rows[row].clear();
    emit dataChanged(index(row, 0), index(row, Cols - 1), {Qt::DisplayRole, Qt::EditRole});
}

void TStringGridModel::ClearAll() {
    for (QList<QByteArray>& cells : Rows)
        cells.clear();
    RowsChanged(0, RowCount() - 1);
}

void TStringGridModel::RowsChanged(int first, int last) {
    if (first > last)
        return;
    emit dataChanged(index(first, 0), index(last, Cols - 1), {Qt::DisplayRole, Qt::EditRole});
}
