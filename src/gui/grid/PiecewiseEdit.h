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
    // The text as edited, every character the user left alone as it was given: line ends
    // included (a line the user did not touch keeps its own; a new one takes the text's
    // kind, or newLine where the text mixes kinds or has none).
    QString EditedText(const QString& newLine) const;

    static constexpr qsizetype Piece = 1 << 20;       // characters per turn, up to a line's end
    static constexpr qsizetype SplitAbove = 1 << 20;  // the longest line shown as it is
    static constexpr qsizetype DisplayLine = 1 << 18; // a long line's parts when broken

signals:
    // A text came that is shown with its long lines broken, read-only.
    void ShownReadOnly();

protected:
    // Called once the whole text is in, before it counts as unchanged.
    virtual void Loaded() {}
    // Shift+Enter breaks the line as Enter does (the editor's own soft break would stay in
    // the text as a line separator).
    void keyPressEvent(QKeyEvent* event) override;

private:
    void LoadNext();
    void Done();
    void NoteLineEnds(const QString& text);

    void NoteChange(int from, int removed, int added);

    // How the given text ended its lines: one kind for all, or each line's own.
    enum class TEnd : quint8 { None, LF, CR, CRLF, Paragraph, FrameStart, FrameEnd };
    TEnd SameEnd = TEnd::None; // None with Ends empty: the text had no line end
    QList<TEnd> Ends;          // only where the kinds are mixed
    // What the user has left alone since the load: the document up to ChangedFrom, and its
    // last ChangedToEnd characters.
    qsizetype ChangedFrom = 0, ChangedToEnd = 0;

    QString Pending;
    qsizetype Offset = 0;
    bool WasReadOnly = false;
    bool Split = false;
};
