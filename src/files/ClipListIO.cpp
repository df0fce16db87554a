// Reading and writing the clip list as a .clp file.
#include "config/Config.h"
#include "files/ClipListFile.h"
#include "grid/KXStringGrid.h"
#include "main/Errors.h"
#include "main/fMain.h"

#include <QFileInfo>
#include <QLabel>

void TQuilleryMainForm::LoadFile(const QString& fileName, bool append) {
    pnlStatus->setText(fileName);
    QList<QByteArray> texts = ClipTexts();
    ClipListFile::Load(fileName, texts, append, Config->Rows);
    SetClipTexts(texts);
    StringGrid1->Modified = false;
    ListChanged = false;
}

void TQuilleryMainForm::SaveClipList(const QString& fileName) {
    ClipListFile::Save(fileName, ClipTexts(), Config->Rows);
}

void TQuilleryMainForm::AutoOpenFile(const QString& fileName) {
    if (!QFileInfo::exists(fileName))
        return;
    Config->DefaultFile = fileName;
    try {
        LoadFile(fileName, false);
    } catch (const EQuillery&) {
        Platform.Prompts.ShowMessage(MessageText(QStringLiteral("Failed to open File")) +
                                     QStringLiteral(": ") + fileName);
    }
}
