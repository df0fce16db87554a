// Plain text files: a file as a list of lines, a file into one clip, a clip out to a file.
#include "core/config/Config.h"
#include "core/files/ClipListFile.h"
#include "core/files/FileNames.h"
#include "core/files/SafeFile.h"
#include "core/text/ClipText.h"
#include "gui/dialogs/FileDialogComponent.h"
#include "gui/grid/KXStringGrid.h"
#include "gui/main/fMain.h"

#include <QFileInfo>

QString TQuilleryMainForm::TextFilter() const {
    return MessageText(QStringLiteral("Text files (*.txt)|*.TXT|All files (*.*)|*.*"));
}

void TQuilleryMainForm::ImportTextFile1Click() {
    AskToSaveChanges();
    const QString chosen = ChooseFileToOpen(TextFilter());
    if (chosen.isEmpty())
        return;
    // The list stays as it was until the file has been read: Auto Save would write an
    // emptied list over its file within a second.
    QList<QByteArray> lines = ClipListFile::ReadLines(chosen, Config->Rows);
    lines.resize(StringGrid1->RowCount());
    SetClipTexts(lines);
    ListReplaced();
    StringGrid1->Modified = false;
    ListChanged = false;
}

void TQuilleryMainForm::ImportTextFileIntoCell1Click() {
    CurrentRow = StringGrid1->Selection().Top;
    if (!IsRowIndex(CurrentRow)) {
        Platform.Prompts.ShowMessage(MessageText(QStringLiteral("You must select a cell first.")));
        return;
    }
    const QString chosen = ChooseFileToOpen(TextFilter());
    if (chosen.isEmpty())
        return;
    QFile file;
    ClipListFile::OpenForReading(file, chosen);
    QByteArray text = file.readAll();
    const qsizetype nul = text.indexOf('\0');
    if (nul >= 0)
        text.truncate(nul); // a text ends at a NUL byte
    SetClipAt(CurrentRow, ClipText::WithLineEnds(ClipText::SplitLines(text)));
}

void TQuilleryMainForm::SaveCliptoFile1Click() {
    if (!IsRowIndex(CurrentRow)) {
        Platform.Prompts.ShowMessage(MessageText(QStringLiteral("You must select a cell first.")));
        return;
    }
    // A text file's name is proposed, never the list's own file: Enter and Yes would replace
    // the list with one clip's text.
    TFileDialog& dialog = SaveDialog1->Dialog;
    const QFileInfo list(Config->DefaultFile);
    dialog.FileName = Config->DefaultFile.isEmpty()
                          ? QString()
                          : list.absolutePath() + QLatin1Char('/') + list.completeBaseName() +
                                QStringLiteral(".txt");
    dialog.Filter = TextFilter();
    const QString listExt = std::exchange(dialog.DefaultExt, QStringLiteral("txt"));
    const QString chosen = Platform.Prompts.SaveFile(dialog);
    dialog.DefaultExt = listExt;
    if (chosen.isEmpty())
        return;
    TSafeFile::WriteAll(chosen, ClipText::WithLineEnds(ClipText::SplitLines(ClipAt(CurrentRow))));
}
