#pragma once

#include <QFrame>

// The window that shows a clip's whole text over its cell, in the desktop's tooltip colours.
class THintWindow : public QFrame {
    Q_OBJECT
public:
    explicit THintWindow(QWidget* owner);
    // Shows text with its top-left corner at topLeft (screen coordinates), sized to fit with
    // the screen's width as the widest.
    void ShowAt(const QPoint& topLeft, const QString& text);

    QString text() const { return Text; }

    // A clip as the hint shows it: its lines, cut to a bounded part of a huge clip.
    static QString HintText(const QByteArray& clip);
    static constexpr int MaxBytes = 4096;
    static constexpr int MaxLines = 40;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PassClicksThrough();
    WId ShapedWindow = 0;
    QString Text;
    int Flags = 0; // how the text breaks: at words, or anywhere in a line too long for that
    static constexpr int Margin = 3;
};
