// The options dialog from the main window, and applying the settings to the window.
#include "FontSetting.h"
#include "core/config/Config.h"
#include "fConfig.h"
#include "gui/grid/KXStringGrid.h"
#include "gui/grid/ZoomView.h"
#include "gui/lang/Language.h"
#include "gui/main/fMain.h"

#include <QAction>
#include <QFontMetrics>
#include <QSystemTrayIcon>

void TQuilleryMainForm::Options1Click() {
    if (Config->OnTop)
        SetTopmost(false);
    // The dialog is released, and the window's layer set, also when an error ends its use.
    try {
        TfrmConfig dialog(*this);
        Language1->Translate();
        dialog.NameControls();
        dialog.exec();
    } catch (...) {
        SetTopmost(Config->OnTop);
        throw;
    }
    SetTopmost(Config->OnTop);
}

void TQuilleryMainForm::RefreshOptions() {
    StayOnTop1->setChecked(Config->OnTop);
    SetTopmost(Config->OnTop);
    TrayIcon1->setVisible(Config->Tray);

    TGridOptions options = StringGrid1->Options() & ~(goEditing | goRowSelect);
    options |= Config->GridEdit ? goEditing : goRowSelect;
    StringGrid1->SetOptions(options);

    const TFontChoice choice = FontSetting::FromSettings();
    const QFont& font = choice.Font;
    StringGrid1->setFont(font);
    QPalette palette = StringGrid1->palette();
    palette.setColor(QPalette::Text,
                     FontSetting::ColorOf(choice.Color, palette.color(QPalette::Text)));
    StringGrid1->setPalette(palette);
    Memo1->setFont(font);
    Memo1->setPalette(palette);
    // Rows stay 17 pixels high unless the font needs more.
    StringGrid1->SetDefaultRowHeight(std::max(17, QFontMetrics(font).height() + 4));
}
