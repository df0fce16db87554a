// Saving a large list through the window: how long the window is held up at most (the longest
// turn of its event loop) while File > Save writes it, and how long the write takes.
// Usage (inside an X session): bench_save [megabytes]
#include "BenchForm.h"
#include "platform/fake/FakeClipboard.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 100;
    TBenchForm<TFakeClipboard> form(25);
    form.Settings.DefaultFile = form.Dir.filePath("big.clp");
    // Ten clips that make up the size, as a list of large pastes would.
    for (int i = 0; i < 10; ++i)
        form->SetClipAt(i, QByteArray(megabytes * (1 << 20) / 10, char('a' + i)));
    form->ListChanged = true;
    QApplication::processEvents();

    QElapsedTimer turn, total;
    double longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, turn.nsecsElapsed() / 1e6);
        turn.restart();
    });
    tick.start(0);
    turn.start();
    total.start();
    form->SaveClipList1Click();
    longest = std::max(longest, turn.nsecsElapsed() / 1e6);
    const double ms = total.nsecsElapsed() / 1e6;
    std::printf("save of a %d MB list: written in %.0f ms, longest turn of the window %.0f ms\n",
                megabytes, ms, longest);
    return form->ListChanged ? 1 : 0;
}
