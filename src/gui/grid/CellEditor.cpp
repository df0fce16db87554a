#include "CellEditor.h"

#include "KXStringGrid.h"

#include <QKeyEvent>
#include <QTextBlock>

TCellEditor::TCellEditor(QWidget* parent) : TPiecewiseEdit(parent) {
    setObjectName(QStringLiteral("CellEditor"));
    setLineWrapMode(NoWrap);
    setFrameShape(NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    document()->setDocumentMargin(1);
    document()->setModified(false); // the margin counts as a change
}

void TCellEditor::SetCellText(const QString& text) {
    LoadText(text);
}

void TCellEditor::Loaded() {
    selectAll();
}

QString TCellEditor::CellText() const {
    return EditedText(QStringLiteral("\r\n"));
}

void TCellEditor::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & Qt::ShiftModifier)) {
        emit Committed();
        return;
    }
    TPiecewiseEdit::keyPressEvent(event);
}

TCellDelegate::TCellDelegate(TKXStringGrid* grid) : QStyledItemDelegate(grid), Grid(grid) {}

QWidget* TCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                     const QModelIndex&) const {
    auto* editor = new TCellEditor(parent);
    connect(editor, &TPiecewiseEdit::ShownReadOnly, Grid, &TKXStringGrid::EditorShownReadOnly);
    connect(editor, &TCellEditor::Committed, this, [this, editor] {
        emit const_cast<TCellDelegate*>(this)->commitData(editor);
        emit const_cast<TCellDelegate*>(this)->closeEditor(editor);
    });
    return editor;
}

void TCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* edit = qobject_cast<TCellEditor*>(editor);
    // What the user has typed is never overwritten by a change to the cell meanwhile.
    if (edit && !edit->IsModified())
        edit->SetCellText(index.data(Qt::EditRole).toString());
}

void TCellDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                 const QModelIndex& index) const {
    auto* edit = qobject_cast<TCellEditor*>(editor);
    // An unchanged cell keeps its bytes, whatever their length or code page.
    if (edit && edit->IsModified())
        Grid->StoreEditedText(index, edit->CellText(), true);
}
