#pragma once

#include <QPlainTextEdit>

// The zoom view: one clip's whole text in a wrapping editor. A long text arrives in pieces,
// one per turn of the event loop, so that the window never freezes; it is read-only until
// the last piece is in. Wrapping never puts line breaks into the text given back.
class TZoomView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TZoomView(QWidget* parent = nullptr);

    void Load(const QByteArray& text);
    // The whole text with CR LF line breaks; a load still under way is finished first.
    QByteArray Text();
    bool IsLoading() const { return Offset < Pending.size(); }
    // Changed by the user; the pieces of a load under way are no change.
    bool IsModified() const { return !IsLoading() && document()->isModified(); }
    void ClearModified() { document()->setModified(false); }

    static constexpr qsizetype Piece = 1 << 20; // characters per turn

private:
    void LoadNext();
    void FinishLoading();

    QString Pending;
    qsizetype Offset = 0;
};
