#pragma once

#include "PiecewiseEdit.h"

#include <QStyledItemDelegate>

class TKXStringGrid;

// The in-place editor of a grid cell. A plain-text editor, not a line edit: a line edit keeps
// at most 32,767 characters and lays a long text out anew on every key, so a clip of a few
// megabytes would be cut or would freeze the window. It looks like one line; Enter commits,
// Shift+Enter starts a new line, Escape cancels. A huge clip arrives in pieces.
class TCellEditor : public TPiecewiseEdit {
    Q_OBJECT
public:
    explicit TCellEditor(QWidget* parent = nullptr);

    // The cell's text in, and out with every character the user left alone as it was, line
    // breaks included.
    void SetCellText(const QString& text);
    QString CellText() const;

signals:
    void Committed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void Loaded() override;
};

// Opens a TCellEditor on a cell and hands what the user changed to the grid.
class TCellDelegate : public QStyledItemDelegate {
public:
    explicit TCellDelegate(TKXStringGrid* grid);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    TKXStringGrid* Grid;
};
