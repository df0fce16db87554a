// How long the window is held up when a huge clip opens in the zoom view: the time Zoom In
// takes before it returns, the longest turn of the event loop while the rest arrives, and
// the time until the whole text is in. Usage: bench_zoom [megabytes] [one-line]
#include "gui/grid/ZoomView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 50;
    const bool oneLine = argc > 2 && QByteArray(argv[2]) == "one-line";
    QByteArray clip;
    while (clip.size() < megabytes * 1000000)
        clip += oneLine ? "a very long clip on one line, as minified data holds it "
                        : "a line of a very long clip, as a log file or a data dump holds them\r\n";
    TZoomView view;
    view.resize(400, 300);
    view.show();
    QElapsedTimer total, turn;
    total.start();
    view.Load(clip);
    const double call = total.nsecsElapsed() / 1e6;
    double longest = 0;
    turn.start();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, turn.nsecsElapsed() / 1e6);
        turn.restart();
        if (!view.IsLoading())
            app.quit();
    });
    tick.start(0);
    app.exec();
    std::printf("zoom view, %d MB clip%s: Load returns after %.0f ms; longest turn %.0f ms; "
                "whole text in after %.0f ms\n",
                megabytes, oneLine ? " on one line" : "", call, longest,
                total.nsecsElapsed() / 1e6);
    return 0;
}
