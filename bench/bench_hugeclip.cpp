// A huge text copied in another program, followed through the main window: how long the
// window is held up while it is recorded, drawn in the grid, shown in the hint, put back on
// the clipboard and read by another program, saved and loaded; and how much memory it costs.
// Usage (inside an X session): bench_hugeclip [megabytes]
#include "BenchForm.h"
#include "gui/grid/CellEditor.h"
#include "gui/grid/GridHint.h"
#include "gui/grid/KXStringGrid.h"
#include "platform/x11/X11Clipboard.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
double Longest = 0; // the longest the window was held up, over everything measured

double Ms(const std::function<void()>& work) {
    QElapsedTimer t;
    t.start();
    work();
    const double ms = t.nsecsElapsed() / 1e6;
    Longest = std::max(Longest, ms);
    return ms;
}

// Turns the event loop until done() holds; returns the longest single turn.
double RunUntil(const std::function<bool()>& done) {
    QEventLoop loop;
    QElapsedTimer turn, total;
    double longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, turn.nsecsElapsed() / 1e6);
        turn.restart();
        if (done() || total.elapsed() > 60000)
            loop.quit();
    });
    turn.start();
    total.start();
    tick.start(0);
    loop.exec();
    Longest = std::max(Longest, longest);
    return longest;
}

// Turns the event loop for a while; returns the longest single turn.
double RunFor(int ms) {
    QElapsedTimer t;
    t.start();
    return RunUntil([&] { return t.elapsed() >= ms; });
}

double RssMB() {
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 50;
    TBenchForm<TX11Clipboard> form(25);
    QByteArray clip;
    while (clip.size() < megabytes * 1000000)
        clip += "a line of a very long clip, as a log file or a data dump holds them\r\n";
    const QString source = form.Dir.filePath("clip.txt");
    QFile out(source);
    out.open(QIODevice::WriteOnly);
    out.write(clip);
    out.close();
    RunFor(500);
    Longest = 0;
    const double before = RssMB();

    QElapsedTimer captured;
    captured.start();
    QProcess::startDetached("sh", {"-c", "xclip -selection clipboard -i < '" + source + "'"});
    const double captureTurn = RunUntil([&] { return form->ClipAt(0).size() == clip.size(); });
    const double captureMs = captured.nsecsElapsed() / 1e6;
    const bool recorded = form->ClipAt(0) == clip;
    const double held = RssMB() - before;

    QWidget* cells = form->StringGrid1->viewport();
    const double paint = Ms([&] { cells->repaint(); });
    const QPoint cell =
        form->StringGrid1->visualRect(form->StringGrid1->model()->index(0, 1)).center();
    const double hint = Ms([&] { form->GridHint->ShowAt(cell); });
    const auto* hintWindow = form->findChild<THintWindow*>();
    const qsizetype hintChars =
        hintWindow && hintWindow->isVisible() ? hintWindow->text().size() : -1;
    const double hintTurn = RunFor(300);

    const double click = Ms([&] { QTest::mouseClick(cells, Qt::LeftButton, {}, cell); });
    QProcess reader; // into a file: its output must not count as the window's memory
    const QString pasted = form.Dir.filePath("pasted.txt");
    reader.setStandardOutputFile(pasted);
    QElapsedTimer read;
    read.start();
    reader.start("xclip", {"-selection", "clipboard", "-o"});
    const double serveTurn = RunUntil([&] { return reader.state() == QProcess::NotRunning; });
    const double readMs = read.nsecsElapsed() / 1e6;
    const double afterCopy = RssMB() - before;
    QFile pastedFile(pasted);
    pastedFile.open(QIODevice::ReadOnly);
    const bool readBack = pastedFile.readAll() == clip;

    form.Settings.GridEdit = true;
    form->RefreshOptions();
    const QModelIndex first = form->StringGrid1->model()->index(0, 1);
    QElapsedTimer editing;
    editing.start();
    const double edit = Ms([&] { form->StringGrid1->edit(first); });
    auto* editor = qobject_cast<TCellEditor*>(form->StringGrid1->indexWidget(first));
    const double editTurn = RunUntil([&] { return !editor || !editor->IsLoading(); });
    const double editMs = editing.nsecsElapsed() / 1e6;
    QTest::keyClick(editor, Qt::Key_Escape);

    const QString list = form.Dir.filePath("huge.clp");
    // On the worker, the window turning meanwhile: bench_save measures how it answers.
    QElapsedTimer saving;
    saving.start();
    form->SaveClipList(list);
    const double save = saving.nsecsElapsed() / 1e6;
    const double load = Ms([&] { form->LoadFile(list, false); });
    const bool loaded = form->ClipAt(0) == clip;

    std::printf("%d MB clip: recorded %s after %.0f ms (longest turn %.0f ms), memory +%.0f MB; "
                "grid drawn in %.0f ms; hint %.0f ms (%lld characters, longest turn %.0f ms); "
                "put back on the clipboard in %.0f ms, read by xclip %s in %.0f ms (longest turn "
                "%.0f ms), memory then +%.0f MB; cell editor open in %.0f ms, whole text in after "
                "%.0f ms (longest turn %.0f ms); saved in %.0f ms, loaded %s in %.0f ms; "
                "longest the window was held up: %.0f ms\n",
                megabytes, recorded ? "whole" : "NOT WHOLE", captureMs, captureTurn, held, paint,
                hint, static_cast<long long>(hintChars), hintTurn, click,
                readBack ? "whole" : "NOT WHOLE", readMs, serveTurn, afterCopy, edit, editMs,
                editTurn, save, loaded ? "whole" : "NOT WHOLE", load, Longest);
    return 0;
}
