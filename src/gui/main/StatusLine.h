#pragma once

#include <QLabel>

// The window's status line. Its accessible name says what it is, which hides the label's
// text from screen readers: the text goes in its description as well.
class TStatusLine : public QLabel {
public:
    using QLabel::QLabel;
    void setText(const QString& text) {
        QLabel::setText(text);
        setAccessibleDescription(text);
    }
    void clear() { setText(QString()); }
};
