// Find and Replace across the clips, from the current one down.
#include "KXStringGrid.h"
#include "core/grid/TextSearch.h"
#include "gui/dialogs/FindDialogs.h"
#include "gui/main/fMain.h"

#include <QAction>
#include <QScreen>

namespace {
QString NotFound(const QString& text) {
    return QStringLiteral("\"%1\" could not be found.").arg(text);
}

void ShowAt(QDialog* dialog, QPoint at) {
    dialog->adjustSize();
    // Kept on the screen the window is on.
    if (const QScreen* screen = dialog->screen()) {
        const QRect area = screen->availableGeometry();
        at.setX(
            std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - dialog->width())));
        at.setY(
            std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - dialog->height())));
    }
    dialog->move(at);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
} // namespace

int TQuilleryMainForm::SearchColumn() const {
    // No column (a press outside the cells): the clips.
    return CurrentCol >= 0 ? CurrentCol : 1;
}

void TQuilleryMainForm::Find1Click() {
    if (!FindDialog1) {
        FindDialog1 = new TFindDialog(this);
        connect(FindDialog1, &TFindDialog::FindNext, this,
                [this] { Guarded([this] { FindNext(FindDialog1->FindText(), true); }); });
    }
    FindDialog1->Translate([this](const QString& text) { return MessageText(text); });
    // Beside the list, to its right.
    ShowAt(FindDialog1, StringGrid1->mapToGlobal(QPoint(StringGrid1->width(), 0)));
}

void TQuilleryMainForm::FindandReplace1Click() {
    if (!ReplaceDialog1) {
        ReplaceDialog1 = new TReplaceDialog(this);
        connect(ReplaceDialog1, &TReplaceDialog::FindNext, this, [this] {
            Guarded([this] { FindNext(ReplaceDialog1->FindText(), ReplaceDialog1->MatchCase()); });
        });
        connect(ReplaceDialog1, &TReplaceDialog::Replace, this,
                [this](bool all) { Guarded([this, all] { ReplaceClips(all); }); });
    }
    ReplaceDialog1->Translate([this](const QString& text) { return MessageText(text); });
    // To the left of the window where there is room, else over its left edge.
    const QPoint top = StringGrid1->mapToGlobal(QPoint(0, 0));
    const int left = frameGeometry().left();
    const int room = left - (screen() ? screen()->availableGeometry().left() : 0);
    ReplaceDialog1->adjustSize();
    const int x = ReplaceDialog1->frameGeometry().width() < room
                      ? left - ReplaceDialog1->frameGeometry().width()
                      : left;
    ShowAt(ReplaceDialog1, QPoint(x, top.y()));
}

void TQuilleryMainForm::FindNext(const QString& text, bool matchCase) {
    const TextSearch::TReplacer find(text, {}, matchCase);
    const int col = SearchColumn();
    for (int r = std::max(CurrentRow + 1, 0); r < StringGrid1->RowCount(); ++r) {
        if (find.Finds(StringGrid1->Cells(col, r))) {
            StringGrid1->SetCurrent(col, r);
            StringGrid1->scrollTo(StringGrid1->Model().index(r, col));
            CurrentRow = r;
            return;
        }
    }
    Platform.Prompts.ShowMessage(NotFound(text));
}

void TQuilleryMainForm::ReplaceClips(bool all) {
    const QString find = ReplaceDialog1->FindText();
    const TextSearch::TReplacer replacer(find, ReplaceDialog1->ReplaceText(),
                                         ReplaceDialog1->MatchCase());
    const int col = SearchColumn();
    // One change of the column at the end: a repaint per clip would stall a long list.
    QList<QByteArray> texts = StringGrid1->Model().Column(col);
    bool replaced = false;
    for (int r = std::max(CurrentRow, 0); r < texts.size(); ++r) {
        if (replacer.Apply(texts[r], all) == 0)
            continue;
        replaced = true;
        if (!all) {
            CurrentRow = r;
            break;
        }
    }
    if (!replaced) {
        Platform.Prompts.ShowMessage(NotFound(find));
        return;
    }
    StringGrid1->Model().SetColumn(col, texts);
    ListChanged = true; // replaced text is a change, to be saved like any other
}
