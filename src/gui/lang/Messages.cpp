// The language of the main window: the start-up pass, the language menu, messages.
#include "Language.h"
#include "core/config/Config.h"
#include "core/lang/LanguageText.h"
#include "gui/grid/ZoomView.h"
#include "gui/main/fMain.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

QString TQuilleryMainForm::MessageText(const QString& text) const {
    return Language1->MessageText(text);
}

// One translation pass with the named language's file.
void TQuilleryMainForm::ApplyLanguage(const QString& name) {
    Language1->LanguageFile = LanguageText::LanguageFile(Folders.Languages, name);
    ToolkitTexts.Use(name);
    Language1->Translate();
    Platform.Shell.SetHelpLanguage(name);
    ShowArchivingState();
    NameControls();
}

// What a screen reader says for the controls without text of their own: the tool buttons
// their hints, in the language of the moment.
void TQuilleryMainForm::NameControls() {
    for (QToolButton* button : {spdbtnOpen, spdbtnSave, spdbtnZoom, spdbtnShrink, btnInsert,
                                btnDelete, spdbtnConfig, spdbtnHelp})
        button->setAccessibleName(button->toolTip());
    Memo1->setAccessibleName(MessageText(QStringLiteral("Clip text")));
    pnlStatus->setAccessibleName(MessageText(QStringLiteral("Status line")));
}

void TQuilleryMainForm::LanguageStartup() {
    ApplyLanguage(Config->Language);
    for (const QString& name : LanguageText::LanguageNames(Folders.Languages)) {
        QString caption = name;
        QAction* item =
            Language2->addAction(caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
        // The name itself travels with the item: a caption's accelerator marks never get in
        // the way of finding the file.
        item->setData(name);
        connect(item, &QAction::triggered, this, [this, item] { LangExec(item); });
    }
}

void TQuilleryMainForm::LangExec(QAction* item) {
    const QString name = item->data().toString();
    ApplyLanguage(name);
    Config->Language = name;
    Guarded([] { Config->SaveToIni(); });
}
