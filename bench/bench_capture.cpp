// How many of a fast burst of copies made by other programs are recorded.
// Usage: bench_capture COPIES [RATE]   (inside an X session; bench/run.sh provides one)
// Without RATE, one xclip process per copy, as fast as a shell loop runs them; with RATE,
// burst_copier makes that many copies a second, each from a new owner window.
#include "config/Config.h"
#include "grid/KXStringGrid.h"
#include "main/fMain.h"
#include "platform/fake/FakeHotKeys.h"
#include "platform/fake/FakePasteTarget.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeSound.h"
#include "platform/fake/ScriptedPrompts.h"
#include "platform/x11/X11Clipboard.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int copies = argc > 1 ? std::atoi(argv[1]) : 200;
    const QString rate = argc > 2 ? argv[2] : QString();
    QTemporaryDir dir;
    TConfig settings(dir.path() + "/");
    settings.Rows = copies * 2;
    Config = &settings;
    TX11Clipboard clipboard;
    TFakeSound sound;
    TScriptedPrompts prompts;
    TFakeHotKeys hotKeys;
    TFakePasteTarget pasteTarget;
    TFakeShell shell;
    TQuilleryMainForm form(dir.path() + "/",
                           {clipboard, sound, prompts, hotKeys, pasteTarget, shell});
    form.show();

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
    for (int r = 0; r < form.StringGrid1->RowCount(); ++r) {
        const QByteArray clip = form.ClipAt(r);
        if (clip.startsWith("burst-"))
            recorded.insert(clip);
    }
    std::printf("capture burst: %lld of %d copies recorded, %.0f copies/s (%.2f s)\n",
                static_cast<long long>(recorded.size()), copies, copies / seconds, seconds);
    Config = nullptr;
    return 0;
}
