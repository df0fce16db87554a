#pragma once

#include <QWidget>

// The window shown while the program starts: borderless, centred, 368 by 211 pixels.
class TfrmSplash : public QWidget {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* parent = nullptr);
    // Shows the window and paints it at once, before the event loop runs.
    void ShowNow();

protected:
    void paintEvent(QPaintEvent* event) override;
};
