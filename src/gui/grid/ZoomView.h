#pragma once

#include "PiecewiseEdit.h"

#include <QPersistentModelIndex>

// The zoom view: one clip's whole text in a wrapping editor, a long one arriving in pieces.
// Wrapping never puts line breaks into the text given back.
class TZoomView : public TPiecewiseEdit {
    Q_OBJECT
public:
    explicit TZoomView(QWidget* parent = nullptr);

    void Load(const QByteArray& text);
    // The whole text with CR LF line breaks; a load still under way is finished first. A text
    // shown with its long lines broken comes back as it was given.
    QByteArray Text();
    void ClearModified() { document()->setModified(false); }

    QPersistentModelIndex Clip; // the clip shown: it follows its row through a sort

protected:
    void Loaded() override;

private:
    QByteArray Given; // while the text is shown with its long lines broken
};
