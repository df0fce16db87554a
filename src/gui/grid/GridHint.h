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

class QTimer;
class TKXStringGrid;

// The hint over the clip list: a clip too wide for its column shows whole while the mouse
// rests on it, and goes when the mouse leaves the list (Timer1 looks ten times a second).
class TGridHint : public QObject {
    Q_OBJECT
public:
    TGridHint(TKXStringGrid* grid, QWidget* owner);
    void ShowAt(const QPoint& pos); // pos in the grid's viewport
    void Hide();
    THintWindow* Window() const { return HintWindow; } // made on the first hint

private:
    void Timer1Timer();

    TKXStringGrid* Grid;
    QWidget* Owner;
    THintWindow* HintWindow = nullptr;
    QTimer* Timer1;
};
