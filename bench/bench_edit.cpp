// Find (nothing found, the whole list scanned), Replace All and both sorts on a long list.
// Usage: bench_edit [clips]
#include "BenchForm.h"
#include "gui/dialogs/FindDialogs.h"
#include "gui/grid/KXStringGrid.h"
#include "platform/fake/FakeClipboard.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRandomGenerator>

#include <cstdio>
#include <functional>

namespace {
double Ms(const std::function<void()>& work) {
    QElapsedTimer t;
    t.start();
    work();
    return t.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int clips = argc > 1 ? std::atoi(argv[1]) : 100000;
    TBenchForm<TFakeClipboard> bench(clips);
    TQuilleryMainForm& form = *bench;
    QList<QByteArray> texts(clips);
    QRandomGenerator random(5);
    for (QByteArray& text : texts) {
        text = QByteArray::number(random.generate()) + ": ";
        while (text.size() < 1000)
            text += "the quick brown fox jumps over the lazy dog\r\n";
    }
    form.SetClipTexts(texts);
    QCoreApplication::processEvents();
    form.CurrentRow = 0;
    form.Find1Click();
    form.FindDialog1->edtFind->setText("not in any clip");
    const double find = Ms([&] { emit form.FindDialog1->FindNext(); });
    form.FindandReplace1Click();
    form.ReplaceDialog1->edtFind->setText("lazy");
    form.ReplaceDialog1->edtReplace->setText("sleepy");
    const double replace = Ms([&] { emit form.ReplaceDialog1->Replace(true); });
    const bool replaced =
        form.ClipAt(clips - 1).contains("sleepy") && !form.ClipAt(0).contains("lazy");
    const double up = Ms([&] { form.SortClips1Click(); });
    const double down = Ms([&] { form.SortDescending1Click(); });
    form.StringGrid1->SetSelection({0, 0, 1, clips - 1});
    const double remove = Ms([&] { form.Delete1Click(); });
    std::printf("%d clips of about 1 KB: find (not found) %.0f ms, replace all %.0f ms (%s), "
                "sort ascending %.0f ms, descending %.0f ms, delete all %.0f ms\n",
                clips, find, replace, replaced ? "done" : "NOT DONE", up, down, remove);
    return 0;
}
