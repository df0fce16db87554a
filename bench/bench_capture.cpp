// How many of a fast burst of copies made by another program (xclip) are recorded.
// Usage: bench_capture [copies]   (inside an X session; bench/run.sh provides one)
#include "config/Config.h"
#include "grid/KXStringGrid.h"
#include "main/fMain.h"
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
    QTemporaryDir dir;
    TConfig settings(dir.path() + "/");
    settings.Rows = copies * 2;
    Config = &settings;
    TX11Clipboard clipboard;
    TFakeSound sound;
    TScriptedPrompts prompts;
    TQuilleryMainForm form(dir.path() + "/", {clipboard, sound, prompts});
    form.show();

    // One shell loop, as a user's script would copy: each xclip returns once it owns the
    // selection and serves it from the background.
    const QString script = QString("for i in $(seq 1 %1); do printf 'burst-%s' $i | "
                                   "xclip -selection clipboard -i; done").arg(copies);
    QProcess burst;
    QElapsedTimer timer;
    double seconds = 0;
    QObject::connect(&burst, &QProcess::finished, [&] {
        seconds = timer.nsecsElapsed() / 1e9;
        QTimer::singleShot(1500, &app, &QApplication::quit); // let the last changes arrive
    });
    QTimer::singleShot(500, [&] {
        timer.start();
        burst.start("sh", {"-c", script});
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
