#pragma once

#include <QPlainTextEdit>

// A plain-text editor that takes a long text in pieces, one per turn of the event loop, so
// that the window never freezes on a huge clip. It is read-only until the last piece is in,
// and the pieces are no change of the text.
//
// Qt lays a line out whole, which takes seconds for a line of many megabytes. A text with a
// line longer than SplitAbove is therefore shown with such lines broken into display lines
// of DisplayLine characters, and stays read-only: an edit could not tell those breaks from
// the user's own.
class TPiecewiseEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

    void LoadText(const QString& text);
    bool IsLoading() const { return Offset < Pending.size(); }
    // Changed by the user; a load still under way is none.
    bool IsModified() const { return !IsLoading() && document()->isModified(); }
    void FinishLoading();
    // Shown with its long lines broken, read-only.
    bool IsSplit() const { return Split; }

    static constexpr qsizetype Piece = 1 << 20;       // characters per turn, up to a line's end
    static constexpr qsizetype SplitAbove = 1 << 20;  // the longest line shown as it is
    static constexpr qsizetype DisplayLine = 1 << 18; // a long line's parts when broken

signals:
    // A text came that is shown with its long lines broken, read-only.
    void ShownReadOnly();

protected:
    // Called once the whole text is in, before it counts as unchanged.
    virtual void Loaded() {}

private:
    void LoadNext();
    void Done();

    QString Pending;
    qsizetype Offset = 0;
    bool WasReadOnly = false;
    bool Split = false;
};
