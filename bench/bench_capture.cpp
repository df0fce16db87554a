// How many of a fast burst of copies made by other programs are recorded.
// Usage: bench_capture COPIES [RATE]   (inside an X session; bench/run.sh provides one)
// Without RATE, one xclip process per copy, as fast as a shell loop runs them; with RATE,
// burst_copier makes that many copies a second, each from a new owner window.
#include "BenchForm.h"
#include "gui/grid/KXStringGrid.h"
#include "platform/x11/X11Clipboard.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int copies = argc > 1 ? std::atoi(argv[1]) : 200;
    const QString rate = argc > 2 ? argv[2] : QString();
    TBenchForm<TX11Clipboard> form(copies * 2);

    // One shell loop, as a user's script would copy: each xclip returns once it owns the
    // selection and serves it from the background.
    const QString script = QString("for i in $(seq 1 %1); do printf 'burst-%s' $i | "
                                   "xclip -selection clipboard -i; done")
                               .arg(copies);
    QProcess burst;
    QElapsedTimer timer;
    double seconds = 0;
    QObject::connect(&burst, &QProcess::finished, [&] {
        // burst_copier reports the span of its copies; for the shell loop, time it here.
        const QList<QByteArray> report = burst.readAllStandardOutput().split(' ');
        seconds = report.size() == 2 ? report[1].toDouble() : timer.nsecsElapsed() / 1e9;
        // Let the last changes arrive; exit, not quit: quit asks the window to close.
        QTimer::singleShot(1500, &app, [] { QCoreApplication::exit(0); });
    });
    QTimer::singleShot(500, [&] {
        timer.start();
        if (rate.isEmpty())
            burst.start("sh", {"-c", script});
        else
            burst.start(QCoreApplication::applicationDirPath() + "/burst_copier",
                        {QString::number(copies), rate});
    });
    app.exec();

    QSet<QByteArray> recorded;
    for (int r = 0; r < form->StringGrid1->RowCount(); ++r) {
        const QByteArray clip = form->ClipAt(r);
        if (clip.startsWith("burst-"))
            recorded.insert(clip);
    }
    for (int i = 1; i <= copies; ++i)
        if (!recorded.contains("burst-" + QByteArray::number(i)))
            std::fprintf(stderr, "missing %d\n", i);
    std::printf("capture burst: %lld of %d copies recorded, %.0f copies/s (%.2f s)\n",
                static_cast<long long>(recorded.size()), copies, copies / seconds, seconds);
    return 0;
}
