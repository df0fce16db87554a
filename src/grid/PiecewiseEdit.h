#pragma once

#include <QPlainTextEdit>

// A plain-text editor that takes a long text in pieces, one per turn of the event loop, so
// that the window never freezes on a huge clip. It is read-only until the last piece is in,
// and the pieces are no change of the text.
class TPiecewiseEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

    void LoadText(const QString& text);
    bool IsLoading() const { return Offset < Pending.size(); }
    // Changed by the user; a load still under way is none.
    bool IsModified() const { return !IsLoading() && document()->isModified(); }
    void FinishLoading();

    static constexpr qsizetype Piece = 1 << 20; // characters per turn, up to a line's end

protected:
    // Called once the whole text is in, before it counts as unchanged.
    virtual void Loaded() {}

private:
    void LoadNext();
    void Done();

    QString Pending;
    qsizetype Offset = 0;
    bool WasReadOnly = false;
};
