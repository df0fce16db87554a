// The tool bar panel above the clip list, and the clip list's pop-up menu.
#include "fMain.h"
#include "gui/dialogs/ToolIcons.h"
#include "gui/grid/KXStringGrid.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

namespace {
constexpr int ButtonSize = 25;
constexpr int PanelHeight = 41;
} // namespace

QToolButton* TQuilleryMainForm::AddSpeedButton(const char* name, const QIcon& icon, int left,
                                               const QString& hint,
                                               void (TQuilleryMainForm::*click)()) {
    auto* button = new QToolButton(Panel1);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(icon);
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(left, 8, ButtonSize, ButtonSize);
    button->setToolTip(hint);
    connect(button, &QToolButton::clicked, this,
            [this, click] { Guarded([this, click] { (this->*click)(); }); });
    return button;
}

void TQuilleryMainForm::CreateToolBar() {
    Panel1 = new QFrame(centralWidget());
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setFixedHeight(PanelHeight);
    spdbtnOpen =
        AddSpeedButton("spdbtnOpen", ToolIcons::Open(), 8, QStringLiteral("Open Clipboard File"),
                       &TQuilleryMainForm::OpenClipList1Click);
    spdbtnSave = AddSpeedButton("spdbtnSave", ToolIcons::Save(), 36, QStringLiteral("Save To File"),
                                &TQuilleryMainForm::SaveClipList1Click);
    spdbtnZoom = AddSpeedButton("spdbtnZoom", ToolIcons::ZoomIn(), 64,
                                QStringLiteral("Expand cell contents"), &TQuilleryMainForm::ZoomIn);
    spdbtnShrink =
        AddSpeedButton("spdbtnShrink", ToolIcons::ZoomOut(), 64,
                       QStringLiteral("Reduce Cell Contents"), &TQuilleryMainForm::ZoomOut);
    spdbtnShrink->hide();
    btnInsert = AddSpeedButton("btnInsert", ToolIcons::Insert(), 100, QStringLiteral("Insert clip"),
                               &TQuilleryMainForm::InsertClip1Click);
    btnDelete = AddSpeedButton("btnDelete", ToolIcons::Delete(), 128, QStringLiteral("Delete clip"),
                               &TQuilleryMainForm::Delete1Click);
    spdbtnConfig =
        AddSpeedButton("spdbtnConfig", ToolIcons::Options(), 164,
                       QStringLiteral("Configure Program"), &TQuilleryMainForm::Options1Click);
    spdbtnHelp = AddSpeedButton("spdbtnHelp", ToolIcons::Help(), 192, QStringLiteral("Help"),
                                &TQuilleryMainForm::Contents1Click);
}

void TQuilleryMainForm::CreateClipListMenu() {
    popupClipList = new QMenu(this);
    popupClipList->setObjectName(QStringLiteral("popupClipList"));
    ZoomIn1 = popupClipList->addAction(QStringLiteral("Zoom &In"), this,
                                       [this] { Guarded([this] { Expand1Click(); }); });
    ZoomIn1->setObjectName(QStringLiteral("ZoomIn1"));
    ZoomOut1 = popupClipList->addAction(QStringLiteral("Zoom &Out"), this,
                                        [this] { Guarded([this] { Contract1Click(); }); });
    ZoomOut1->setObjectName(QStringLiteral("ZoomOut1"));
    popupClipList->addSeparator();
    Delete2 = popupClipList->addAction(QStringLiteral("&Delete Clip"), this,
                                       [this] { Guarded([this] { Delete1Click(); }); });
    Delete2->setObjectName(QStringLiteral("Delete2"));
    LoadTextFileIntoClip1 =
        popupClipList->addAction(QStringLiteral("&Load Text File Into Clip"), this,
                                 [this] { Guarded([this] { ImportTextFileIntoCell1Click(); }); });
    LoadTextFileIntoClip1->setObjectName(QStringLiteral("LoadTextFileIntoClip1"));
    SaveCliptoTextFile1 =
        popupClipList->addAction(QStringLiteral("Sa&ve Clip to Text File"), this,
                                 [this] { Guarded([this] { SaveCliptoFile1Click(); }); });
    SaveCliptoTextFile1->setObjectName(QStringLiteral("SaveCliptoTextFile1"));
    // The items follow the view: each is there only while its command can run.
    connect(popupClipList, &QMenu::aboutToShow, this, [this] {
        ZoomIn1->setEnabled(!IsZoomed());
        ZoomOut1->setEnabled(IsZoomed());
    });
    connect(StringGrid1, &TKXStringGrid::PopupRequested, this, [this](const QPoint& at) {
        popupClipList->popup(StringGrid1->viewport()->mapToGlobal(at));
    });
}
