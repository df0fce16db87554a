#include "fMain.h"

#include "PasteQueue.h"
#include "core/Errors.h"
#include "core/config/Config.h"
#include "core/files/FileNames.h"
#include "core/files/NativeNames.h"
#include "core/files/SafeFile.h"
#include "core/lang/LanguageText.h"
#include "gui/dialogs/AppIcons.h"
#include "gui/dialogs/FileDialogComponent.h"
#include "gui/files/AutoSave.h"
#include "gui/grid/DragSource.h"
#include "gui/grid/GridHint.h"
#include "gui/grid/KXStringGrid.h"
#include "gui/grid/ZoomView.h"
#include "gui/lang/Language.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// A list this long is far past any real use; a larger Rows value is taken as this.
constexpr int MaxRows = 1000000;
} // namespace

TQuilleryMainForm::TQuilleryMainForm(const QString& programDir, TPlatform platform, QWidget* parent)
    : TQuilleryMainForm(TProgramFolders::Portable(programDir), platform, parent) {}

TQuilleryMainForm::TQuilleryMainForm(const TProgramFolders& folders, TPlatform platform,
                                     QWidget* parent)
    : QMainWindow(parent), Folders(folders), Platform(platform) {
    CaptureArmed = true;
    connect(&Platform.HotKeys, &IHotKeys::Pressed, this, &TQuilleryMainForm::HotKeyPressed);
    connect(&Platform.HotKeys, &IHotKeys::Unavailable, this, &TQuilleryMainForm::SayNoHotKeys);
    connect(&Platform.PasteTarget, &IPasteTarget::Done, this, &TQuilleryMainForm::PasteDone);
    AutoSave = new TAutoSave(*this, this);
    Pastes = std::make_unique<TPasteQueue>(
        Platform.PasteTarget, [this](const QByteArray& text) { WriteClipboardOwn(text); });
    CreateComponents();
    CreateMenus();
    // Web links in the help ask first and say when no browser took them, as the menu's do.
    Platform.Shell.SetLinkHandler([this](const QString& address) {
        LaunchBrowser(address, !address.startsWith(QLatin1String("mailto:")));
    });
    Platform.Shell.SetTranslator([this](const QString& text) { return MessageText(text); });
    FormCreate();
}

TQuilleryMainForm::~TQuilleryMainForm() {
    AutoSave->Finish();
    // The child widgets are destroyed after this part of the window: none may call back
    // into it meanwhile (focus moves and texts empty as they go).
    disconnect(qApp, nullptr, this, nullptr);
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
    LeaveClipboardChain();
}

void TQuilleryMainForm::CreateComponents() {
    setObjectName(QStringLiteral("QuilleryMainForm"));
    setWindowTitle(QStringLiteral("Quillery"));
    setWindowIcon(AppIcons::Normal());

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    setCentralWidget(central);
    CreateToolBar();
    layout->addWidget(Panel1);
    ClipArea = new QStackedWidget(central);
    StringGrid1 = new TKXStringGrid(ClipArea);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->SetColCount(2);
    StringGrid1->SetFixed(0, 0);
    StringGrid1->SetOptions(goLines | goRangeSelect | goRowSelect);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    StringGrid1->NewRowOnKeyDown = kdNever;
    StringGrid1->SortOnTitleClick = tcNone;
    StringGrid1->EOLToSpace = false;
    StringGrid1->About = QStringLiteral("TKXStringGrid v0.02");
    StringGrid1->setColumnHidden(0, true);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    StringGrid1->setAccessibleName(QStringLiteral("List of Clipboard Items"));
    ClipArea->addWidget(StringGrid1);
    Memo1 = new TZoomView(ClipArea);
    ClipArea->addWidget(Memo1);
    connect(Memo1, &QPlainTextEdit::textChanged, this, &TQuilleryMainForm::Memo1Change);
    connect(Memo1, &TPiecewiseEdit::ShownReadOnly, this, &TQuilleryMainForm::SayShownReadOnly);
    connect(StringGrid1, &TKXStringGrid::KeyDown, this,
            [this](int& key, Qt::KeyboardModifiers) { StringGrid1KeyDown(key); });
    connect(qApp, &QApplication::focusChanged, this, &TQuilleryMainForm::FocusChanged);
    connect(StringGrid1, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { Guarded([&] { StringGrid1DblClick(index); }); });
    connect(StringGrid1, &TKXStringGrid::MouseDown, this, &TQuilleryMainForm::StringGrid1MouseDown);
    connect(StringGrid1, &TKXStringGrid::RowsSorted, this, &TQuilleryMainForm::FollowZoomedClip);
    // An edit is a change like a copy: Auto Save writes it within its second.
    connect(StringGrid1, &TKXStringGrid::TextEdited, this, [this] { ListChanged = true; });
    connect(StringGrid1, &TKXStringGrid::EditorShownReadOnly, this,
            &TQuilleryMainForm::SayShownReadOnly);
    connect(StringGrid1, &TKXStringGrid::MouseMove, this, &TQuilleryMainForm::StringGrid1MouseMove);
    // After the drop has ended, so that a question does not keep the other program waiting.
    connect(
        StringGrid1, &TKXStringGrid::TextDropped, this,
        [this](const QString& text) { Guarded([&] { StringGrid1Drop(text); }); },
        Qt::QueuedConnection);
    Drag = std::make_unique<TDragSource>(StringGrid1);
    GridHint = new TGridHint(StringGrid1, this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s != Qt::ApplicationActive)
            GridHint->Hide();
    });
    layout->addWidget(ClipArea, 1);

    pnlStatus = new TStatusLine(central);
    pnlStatus->setObjectName(QStringLiteral("pnlStatus"));
    pnlStatus->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pnlStatus->setMargin(2);
    pnlStatus->setMinimumWidth(1);
    pnlStatus->setWordWrap(true); // a long message shows whole, on more lines
    layout->addWidget(pnlStatus);

    CreateTrayMenu();
    CreateClipListMenu();

    OpenDialog1 = new TFileDialogComponent(QStringLiteral("OpenDialog1"), this);
    OpenDialog1->Dialog.Filter = QStringLiteral("Quillery Files|*.clp");
    SaveDialog1 = new TFileDialogComponent(QStringLiteral("SaveDialog1"), this);
    SaveDialog1->Dialog = {QStringLiteral("Quillery Files|*.clp"), {}, {}, QStringLiteral("Clp")};
    Language1 = new TLanguage(this);
    Language1->setObjectName(QStringLiteral("Language1"));
    Language1->SetProperties(LanguageText::MainFormProperties());
    Language1->SetSeparator(QStringLiteral(","));
}

void TQuilleryMainForm::CreateMenus() {
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    auto command = [this](QMenu* menu, const char* name, const QString& caption,
                          void (TQuilleryMainForm::*handler)()) {
        QAction* item = menu->addAction(
            caption, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
        item->setObjectName(QString::fromLatin1(name));
        return item;
    };
    NewClipList1 = command(file, "NewClipList1", QStringLiteral("&New Clip List"),
                           &TQuilleryMainForm::NewClipList1Click);
    OpenClipList1 = command(file, "OpenClipList1", QStringLiteral("&Open Clip List"),
                            &TQuilleryMainForm::OpenClipList1Click);
    OpenClipList1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    SaveClipList1 = command(file, "SaveClipList1", QStringLiteral("&Save Clip List"),
                            &TQuilleryMainForm::SaveClipList1Click);
    SaveClipList1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAs1 = command(file, "SaveAs1", QStringLiteral("Save As"), &TQuilleryMainForm::SaveAs1Click);
    EditClipList1 = command(file, "EditClipList1", QStringLiteral("&Edit Clip List"),
                            &TQuilleryMainForm::EditClipList1Click);
    AppendClipList1 = command(file, "AppendClipList1", QStringLiteral("&Append Clip List"),
                              &TQuilleryMainForm::AppendClipList1Click);
    file->addSeparator();
    ImportTextFile1 = command(file, "ImportTextFile1", QStringLiteral("&Import Text File"),
                              &TQuilleryMainForm::ImportTextFile1Click);
    ImportTextFileIntoCell1 =
        command(file, "ImportTextFileIntoCell1", QStringLiteral("&Load Text File Into Clip"),
                &TQuilleryMainForm::ImportTextFileIntoCell1Click);
    SaveCliptoFile1 = command(file, "SaveCliptoFile1", QStringLiteral("Ex&port Clip to File"),
                              &TQuilleryMainForm::SaveCliptoFile1Click);
    file->addSeparator();
    Language2 = file->addMenu(QStringLiteral("Lan&guage"));
    Language2->setObjectName(QStringLiteral("Language2"));
    file->addSeparator();
    Exit1 = file->addAction(QStringLiteral("E&xit"), this, &TQuilleryMainForm::Exit1Click);
    Exit1->setObjectName(QStringLiteral("Exit1"));

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("Edit1"));
    InsertClip1 = command(edit, "InsertClip1", QStringLiteral("&Insert Clip"),
                          &TQuilleryMainForm::InsertClip1Click);
    InsertClip1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    Delete1 =
        command(edit, "Delete1", QStringLiteral("&Delete Clips"), &TQuilleryMainForm::Delete1Click);
    Delete1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    ClearClipList1 = command(edit, "ClearClipList1", QStringLiteral("&Clear Clip List"),
                             &TQuilleryMainForm::ClearClipList1Click);
    ClearClipList1->setVisible(false);
    edit->addSeparator();
    Find1 = command(edit, "Find1", QStringLiteral("&Find"), &TQuilleryMainForm::Find1Click);
    Find1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    FindandReplace1 = command(edit, "FindandReplace1", QStringLiteral("Find and &Replace"),
                              &TQuilleryMainForm::FindandReplace1Click);
    edit->addSeparator();
    SelectClip1 = command(edit, "SelectClip1", QStringLiteral("Se&lect Clip"),
                          &TQuilleryMainForm::SelectClip1Click);
    SelectClip1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    SelectAll1 = command(edit, "SelectAll1", QStringLiteral("Select &All"),
                         &TQuilleryMainForm::SelectAll1Click);
    SelectAll1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    edit->addSeparator();
    MoveDown1 = command(edit, "MoveDown1", QStringLiteral("Move Do&wn"),
                        &TQuilleryMainForm::MoveDown1Click);
    MoveDown1->setShortcut(QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_D));
    MoveUp1 =
        command(edit, "MoveUp1", QStringLiteral("Move U&p"), &TQuilleryMainForm::MoveUp1Click);
    MoveUp1->setShortcut(QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_U));
    edit->addSeparator();
    Sort1 = edit->addMenu(QStringLiteral("&Sort"));
    Sort1->setObjectName(QStringLiteral("Sort1"));
    SortClips1 = command(Sort1, "SortClips1", QStringLiteral("&Ascending"),
                         &TQuilleryMainForm::SortClips1Click);
    SortDescending1 = command(Sort1, "SortDescending1", QStringLiteral("&Descending"),
                              &TQuilleryMainForm::SortDescending1Click);
    edit->addSeparator();
    APpendMode1 = edit->addAction(QStringLiteral("A&ppend Mode"));
    APpendMode1->setObjectName(QStringLiteral("APpendMode1"));
    APpendMode1->setCheckable(true);

    Lists1 = menuBar()->addMenu(QStringLiteral("&Lists"));
    Lists1->setObjectName(QStringLiteral("Lists1"));

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("View1"));
    Options1 =
        command(view, "Options1", QStringLiteral("O&ptions"), &TQuilleryMainForm::Options1Click);
    view->addSeparator();
    Expand1 =
        command(view, "Expand1", QStringLiteral("Zoom &In"), &TQuilleryMainForm::Expand1Click);
    Expand1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    Contract1 =
        command(view, "Contract1", QStringLiteral("Zoom &Out"), &TQuilleryMainForm::Contract1Click);
    Contract1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    Minimize1 =
        view->addAction(QStringLiteral("Mi&nimize"), this, &TQuilleryMainForm::Minimize1Click);
    Minimize1->setObjectName(QStringLiteral("Minimize1"));
    Minimize1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    // The window manager owns the title bar, so the title-bar roll-up is a command here.
    RollUp1 = view->addAction(QStringLiteral("&Roll Up"), this, &TQuilleryMainForm::RollUp1Click);
    RollUp1->setObjectName(QStringLiteral("RollUp1"));
    RollUp1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));

    Help1 = menuBar()->addMenu(QStringLiteral("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    Contents1 =
        command(Help1, "Contents1", QStringLiteral("&Index"), &TQuilleryMainForm::Contents1Click);
    Contents1->setShortcut(QKeySequence(Qt::Key_F1));
    KeywordSearch1 = command(Help1, "KeywordSearch1", QStringLiteral("&Keyword Search"),
                             &TQuilleryMainForm::KeywordSearch1Click);
    Help1->addSeparator()->setObjectName(QStringLiteral("N4"));
    QuilleryWebPage1 = command(Help1, "QuilleryWebPage1", QStringLiteral("&Quillery Web Page"),
                               &TQuilleryMainForm::QuilleryWebPage1Click);
    VendrelWebPage1 = command(Help1, "VendrelWebPage1", QStringLiteral("&Vendrel Web Page"),
                              &TQuilleryMainForm::VendrelWebPage1Click);
    EmailFeedback1 = command(Help1, "EmailFeedback1", QStringLiteral("&E-mail Feedback"),
                             &TQuilleryMainForm::EmailFeedback1Click);
    Help1->addSeparator()->setObjectName(QStringLiteral("N9"));
    OtherVendrelSoftware1 =
        command(Help1, "OtherVendrelSoftware1", QStringLiteral("Other Vendrel &Software"),
                &TQuilleryMainForm::OtherVendrelSoftware1Click);
    About1 = command(Help1, "About1", QStringLiteral("&About"), &TQuilleryMainForm::About1Click);

    // Shortcuts keep working while the menu bar is hidden (rolled up).
    for (QAction* action : menuBar()->findChildren<QAction*>()) {
        if (!action->shortcut().isEmpty())
            addAction(action);
    }
}

void TQuilleryMainForm::FormCreate() {
    // An error stops the remaining steps, except joining the clipboard: a window that
    // records nothing would fail its user silently.
    Guarded([this] {
        LanguageStartup();
        RefreshLists();
        SetGeometryOnScreen(QRect(Config->Left, Config->Top, Config->Width, Config->Height));
        RegisterHotKeys();
        if (!Config->DefaultFile.isEmpty())
            pnlStatus->setText(NativeNames::Shown(Config->DefaultFile));
        RefreshOptions();
        if (Config->NoArc) {
            Config->NoArc = false;
            SuspendClipArchiving1Click();
        }
        SetGridRows(Config->Rows);
        OpenDialog1->Dialog.InitialDir = Config->LastDir;
        SaveDialog1->Dialog.InitialDir = Config->LastDir;
        StringGrid1->SetCurrent(1, 0);
        CloseAllowed = false;
        CurrentRow = 0;
        CurrentCol = 1;
        // Copies left by saves that a kill cut short: only this instance writes there.
        const QDateTime started = QDateTime::currentDateTime();
        TSafeFile::RemoveStale(Folders.Data, started);
        if (!Config->DefaultFile.isEmpty())
            TSafeFile::RemoveStale(QFileInfo(Config->DefaultFile).path(), started);
        if (FileNames::Exists(Config->DefaultFile))
            LoadFile(Config->DefaultFile, false);
        if (!Platform.Clipboard.RecordsWithoutFocus())
            pnlStatus->setText(MessageText(QStringLiteral(
                "This desktop offers clipboard managers no data control: copies made in Wayland "
                "windows may be missed.")));
        if (!Platform.HotKeys.Available())
            SayNoHotKeys();
        if (!Config->LastExitNote.isEmpty()) // said once
            pnlStatus->setText(std::exchange(Config->LastExitNote, QString()));
        if (!QFileInfo(Folders.Data).isWritable())
            pnlStatus->setText(MessageText(QStringLiteral("The folder %1 cannot be written: a "
                                                          "changed list is kept elsewhere."))
                                   .arg(Folders.Data));
        if (Config->IniUnreadable)
            pnlStatus->setText(MessageText(QStringLiteral("The settings file %1 could not be "
                                                          "read: it is left as it is."))
                                   .arg(Config->IniFileName()));
        ListChanged = false;
        OwnWrite = false;
    });
    JoinClipboardChain();
    AutoSave->Start();
}

void TQuilleryMainForm::SetGridRows(int rows) {
    StringGrid1->SetRowCount(std::min(rows, MaxRows));
}

void TQuilleryMainForm::SetGeometryOnScreen(const QRect& wanted) {
    // Settings from a screen that is gone, or edited by hand, must not put the window out
    // of reach or beyond the screen.
    QScreen* screen = QGuiApplication::screenAt(wanted.center());
    const bool visible = screen != nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    QRect rect = wanted;
    if (screen) {
        const QRect area = screen->availableGeometry();
        rect.setSize(wanted.size().boundedTo(area.size()).expandedTo(QSize(120, 80)));
        if (!visible)
            rect.moveCenter(area.center());
    }
    move(rect.topLeft());
    resize(rect.size());
}

bool TQuilleryMainForm::Guarded(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const EQuillery& e) {
        Platform.Prompts.ShowError(e.Message());
    } catch (const std::exception& e) {
        Platform.Prompts.ShowError(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void TQuilleryMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // Any resize to full height unrolls.
    if (IsRolledUp() && height() >= 34) {
        menuBar()->show();
        centralWidget()->show();
    }
}

void TQuilleryMainForm::Exit1Click() {
    CloseAllowed = true;
    close();
}

QString TQuilleryMainForm::TrayHint() const {
    return TrayIcon1->toolTip();
}

void TQuilleryMainForm::SetTrayHint(const QString& hint) {
    TrayIcon1->setToolTip(hint.left(63));
}

void TQuilleryMainForm::SayNoHotKeys() {
    pnlStatus->setText(MessageText(QStringLiteral(
        "This desktop gives programs no global hot keys: bind keys to the command "
        "quillery --series-paste and the other actions in its settings (Help tells how).")));
}
