// The Lists menu: every clip list file of the program folder, opened in place of the list.
#include "AutoSave.h"
#include "core/config/Config.h"
#include "core/files/FileNames.h"
#include "core/files/NativeNames.h"
#include "gui/grid/KXStringGrid.h"
#include "gui/grid/ZoomView.h"
#include "gui/main/fMain.h"

#include <QAction>
#include <QMenu>

void TQuilleryMainForm::RefreshLists() {
    // Later, not now: the item chosen may be the one whose command saves and so gets here.
    for (QAction* old : Lists1->actions()) {
        Lists1->removeAction(old);
        old->deleteLater();
    }
    const QStringList names = FileNames::EntriesMatching(Folders.Data, QStringLiteral("*.clp"));
    for (int i = 0; i < names.size(); ++i) {
        // "&" in a file name is no accelerator mark; the item's data keeps the name itself.
        QAction* item =
            Lists1->addAction(NativeNames::Shown(names[i]).replace('&', QStringLiteral("&&")));
        item->setObjectName(QStringLiteral("MM%1").arg(i));
        item->setData(names[i]);
        connect(item, &QAction::triggered, this,
                [this, item] { Guarded([this, item] { NaviExec(item); }); });
    }
}

void TQuilleryMainForm::NaviExec(QAction* item) {
    const QString name = item->data().toString();
    AutoSave->Finish(); // a write under way that fails leaves the list changed
    if (ListChanged) {
        if (Config->AutoSave)
            SaveClipList1Click();
        else
            AskToSaveChanges();
    }
    Config->DefaultFile = Folders.Data + name;
    if (!FileNames::Exists(Config->DefaultFile))
        return;
    LoadFile(Config->DefaultFile, false);
    Memo1->ClearModified();
    StringGrid1->Modified = false;
    StringGrid1->SetSelection({0, 0, 1, 0});
    ListChanged = false;
}
