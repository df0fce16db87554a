// Save and load of a large clip list against the physical limit: cat of the same bytes.
// Usage: bench_files [clips] [folder]
#include "core/files/ClipListFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
double FreshMemory = 0;
double First = 0; // the first of the runs, with memory the process has never touched

// Best of three, in milliseconds.
double Best(const std::function<void()>& work) {
    double best = 1e18;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        const double ms = t.nsecsElapsed() / 1e6;
        if (i == 0)
            First = ms;
        best = std::min(best, ms);
    }
    return best;
}

void Shell(const QString& command) {
    QProcess::execute("sh", {"-c", command});
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    {
        QElapsedTimer t;
        t.start();
        QByteArray fresh(100'000'000, 'x');
        FreshMemory = t.nsecsElapsed() / 1e6;
    }
    const int clips = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir dir(argc > 2 ? QString(argv[2]) + "/bench-XXXXXX" : QString());
    const QString file = dir.filePath("big.clp");

    QList<QByteArray> texts;
    for (int i = 0; i < clips; ++i) {
        QByteArray clip = "clip " + QByteArray::number(i) + ": ";
        while (clip.size() < 990)
            clip += "the quick brown fox jumps over the lazy dog\r\n";
        texts.append(clip);
    }
    const double save = Best([&] { ClipListFile::Save(file, texts, clips); });
    const qint64 bytes = QFile(file).size();
    QList<QByteArray> loaded(clips);
    const double load = Best([&] {
        loaded = QList<QByteArray>(clips);
        ClipListFile::Load(file, loaded, false, clips);
    });
    const double firstLoad = First;
    if (loaded != texts)
        std::printf("MISMATCH after load\n");
    const double catNull = Best([&] { Shell("cat '" + file + "' > /dev/null"); });
    const double catFile = Best(
        [&] { Shell("cat '" + file + "' > '" + file + ".copy' && sync -f '" + file + ".copy'"); });
    std::printf("clip list of %d clips, %.1f MB\n", clips, bytes / 1e6);
    std::printf("  save %.0f ms (cat to a file on the same disk, synced: %.0f ms)\n", save,
                catFile);
    std::printf("  load %.0f ms, %.0f ms the first time (cat to /dev/null: %.0f ms)\n", load,
                firstLoad, catNull);
    // A list file far longer than the list: 25 rows read, every clip after them counted.
    {
        const QString huge = dir.filePath("huge.clp");
        QFile out(huge);
        out.open(QIODevice::WriteOnly);
        QByteArray block;
        for (int i = 0; i < 8'200'000; ++i) {
            block += "clip number " + QByteArray::number(i) + "\r\n\x0c\r\n";
            if (block.size() > (1 << 20)) {
                out.write(block);
                block.clear();
            }
        }
        out.write(block);
        out.close();
        QList<QByteArray> rows(25);
        ClipListFile::TReadResult read;
        const double partial = Best([&] { read = ClipListFile::Load(huge, rows, false, 25); });
        std::printf("  a file of %lld clips (%.0f MB) into 25 rows: %.0f ms, %lld clips counted "
                    "beyond the list\n",
                    read.Read + read.Left, QFile(huge).size() / 1e6, partial, read.Left);
        QFile::remove(huge);
    }
    std::printf("  (memory the process never touched before costs %.0f ms per 100 MB here: the "
                "floor of a first load, which must keep the clips)\n",
                FreshMemory);
    return 0;
}
