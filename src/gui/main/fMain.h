#pragma once

#include "StatusLine.h"
#include "core/config/ProgramFolders.h"
#include "core/files/ChangeFlag.h"
#include "gui/config/OptionsWindow.h"
#include "gui/files/AutoSaveList.h"
#include "gui/lang/ToolkitTexts.h"
#include "platform/Platform.h"
#include "remote/CommandChannel.h"

#include <QMainWindow>
#include <QPoint>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QFrame;
class TGridHint;
class QMenu;
class QModelIndex;
class QStackedWidget;
class QToolButton;
class TZoomView;
class TFindDialog;
class TReplaceDialog;
class TFileDialogComponent;
class TLanguage;
class TKXStringGrid;
class TAutoSave;
class TDragSource;
class TPasteQueue;

// The main window: it holds the clip list in its grid and the state that the commands share.
// Command handlers of each subsystem are member functions defined in that subsystem's folder;
// each group below names its file. State that one subsystem alone uses lives in its own class,
// which sees of the window only an interface of its own.
class TQuilleryMainForm : public QMainWindow, public IAutoSaveList, public IOptionsWindow {
    Q_OBJECT
public:
    // programDir ends with a separator; the settings record must exist already.
    TQuilleryMainForm(const QString& programDir, TPlatform platform, QWidget* parent = nullptr);
    TQuilleryMainForm(const TProgramFolders& folders, TPlatform platform,
                      QWidget* parent = nullptr);
    ~TQuilleryMainForm() override;

    // Components (fMain.cpp, ToolBar.cpp, Tray.cpp).
    QFrame* Panel1 = nullptr;
    QToolButton* spdbtnOpen = nullptr;
    QToolButton* spdbtnSave = nullptr;
    QToolButton* spdbtnZoom = nullptr;
    QToolButton* spdbtnShrink = nullptr;
    TKXStringGrid* StringGrid1 = nullptr;
    TZoomView* Memo1 = nullptr;
    QStackedWidget* ClipArea = nullptr; // the grid, or the zoom view over it
    QMenu* popupClipList = nullptr;
    QAction* ZoomIn1 = nullptr;
    QAction* ZoomOut1 = nullptr;
    QAction* NewClipList1 = nullptr;
    QAction* OpenClipList1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* EditClipList1 = nullptr;
    QAction* AppendClipList1 = nullptr;
    QAction* ImportTextFile1 = nullptr;
    QAction* ImportTextFileIntoCell1 = nullptr;
    QAction* SaveCliptoFile1 = nullptr;
    QMenu* Lists1 = nullptr;
    QToolButton* btnInsert = nullptr;
    QToolButton* btnDelete = nullptr;
    QToolButton* spdbtnConfig = nullptr;
    QToolButton* spdbtnHelp = nullptr;
    QMenu* Help1 = nullptr;
    QAction* Contents1 = nullptr;
    QAction* KeywordSearch1 = nullptr;
    QAction* QuilleryWebPage1 = nullptr;
    QAction* VendrelWebPage1 = nullptr;
    QAction* EmailFeedback1 = nullptr;
    QAction* OtherVendrelSoftware1 = nullptr;
    QAction* About1 = nullptr;
    QAction* Help3 = nullptr;
    QAction* Options1 = nullptr;
    QAction* InsertClip1 = nullptr;
    QAction* Delete1 = nullptr;
    QAction* ClearClipList1 = nullptr;
    QAction* SelectClip1 = nullptr;
    QAction* SelectAll1 = nullptr;
    QAction* MoveDown1 = nullptr;
    QAction* MoveUp1 = nullptr;
    QMenu* Sort1 = nullptr;
    QAction* SortClips1 = nullptr;
    QAction* SortDescending1 = nullptr;
    QAction* Delete2 = nullptr;
    QAction* Find1 = nullptr;
    QAction* FindandReplace1 = nullptr;
    TFindDialog* FindDialog1 = nullptr;       // made on first use, kept with its text
    TReplaceDialog* ReplaceDialog1 = nullptr; // likewise
    QAction* LoadTextFileIntoClip1 = nullptr;
    QAction* SaveCliptoTextFile1 = nullptr;
    QAction* Expand1 = nullptr;
    QAction* Contract1 = nullptr;
    TStatusLine* pnlStatus = nullptr;
    QSystemTrayIcon* TrayIcon1 = nullptr;
    QAction* SaveClipList1 = nullptr;
    QMenu* Language2 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* APpendMode1 = nullptr;
    QAction* Minimize1 = nullptr;
    QAction* RollUp1 = nullptr;
    QMenu* popupTray = nullptr;
    QAction* SuspendClipArchiving2 = nullptr;
    QAction* ClearClipboard1 = nullptr;
    QAction* StayOnTop1 = nullptr;
    QAction* Close2 = nullptr;
    QAction* Restore2 = nullptr;
    TFileDialogComponent* OpenDialog1 = nullptr;
    TFileDialogComponent* SaveDialog1 = nullptr;
    TLanguage* Language1 = nullptr;

    // State shared by the commands.
    int CurrentRow = 0;
    int CurrentCol = 1;
    TChangeFlag ListChanged;
    bool CaptureArmed = false;
    bool OwnWrite = false;
    bool CloseAllowed = false;

    // The mouse on the clip list: picking, dragging out, dropping in (grid/DragDrop.cpp), hints.
    void StringGrid1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void StringGrid1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                              QPoint pos);
    void StringGrid1Drop(const QString& text);
    TGridHint* GridHint = nullptr;                        // grid/GridHint.cpp
    static QString DragResultText(Qt::DropAction result); // in English, to be translated
    std::unique_ptr<TDragSource> Drag;                    // grid/DragSource.cpp
    void DragOut(int row);

    // The clip list (column 1 of the grid, row 0 the newest) (ClipList.cpp).
    QList<QByteArray> ClipTexts() const override;
    void SetClipTexts(const QList<QByteArray>& texts);
    QByteArray ClipAt(int row) const;
    void SetClipAt(int row, const QByteArray& text);
    bool IsRowIndex(int row) const;
    void SelectTopRow();
    void AddClipAtTop(const QByteArray& text);
    void AppendToClip(int row, const QByteArray& text);

    // Capture (Capture.cpp).
    void JoinClipboardChain();
    void LeaveClipboardChain();
    void ClipboardChanged();
    void ClipboardConnectionChanged(bool up);
    void CaptureClipboard();
    // A copy's text, however it came: recorded (beep, list to be saved) unless it repeats the
    // top clip.
    void RecordCopy(const QByteArray& text);
    void CopyTaken();
    void SayNoHotKeys(); // the desktop gives none: the user binds commands
    // Puts a clip on the clipboard with OwnWrite raised; a failed write still lowers it.
    void WriteClipboardOwn(const QByteArray& text);
    // Sets guard to during for the write and back after it, also when the write fails.
    void WriteClipboardGuarded(bool& guard, bool during, const QByteArray& text);

    // Clip list files (files/FileCommands.cpp, ClipListIO.cpp, TextFiles.cpp, ListsMenu.cpp).
    void NewClipList1Click();
    void OpenClipList1Click();
    void SaveAs1Click();
    void EditClipList1Click();
    void AppendClipList1Click();
    void ImportTextFile1Click();
    void ImportTextFileIntoCell1Click();
    void SaveCliptoFile1Click();
    // Edit Clip List shows a list file's text in the zoom view; that file, and no other, may
    // receive the changed text. Empty while the view shows a clip.
    QString EditedListFile;
    // When it is the list's own file, the saved text becomes the list, with the copies taken
    // while it was edited on top.
    bool IsEditingOwnList() const;
    QList<QByteArray> CopiesDuringListEdit;
    void SaveListBeforeEdit();
    void ReadEditedOwnList();
    void SaveEditedList();
    void SaveEditedListTo(const QString& fileName);
    void EndListEdit();
    void ExitSaveEditedList(bool interactive); // a changed text at exit
    // The Lists menu: the clip list files of the program folder.
    void RefreshLists();
    void NaviExec(QAction* item);
    void AskToSaveChanges(); // OK saves first; neither answer stops the command
    QString ChooseFileToOpen(const QString& filter); // empty: cancelled, or no such file
    void LoadFile(const QString& fileName, bool append);
    void SaveClipList(const QString& fileName);
    void ListSaved(); // clears ListChanged and the grid's Modified
    // After a write of the list as it stood at changes: saved, unless it changed since.
    void ListWritten(quint64 changes) override;
    void AutoOpenFile(const QString& fileName);
    void SaveClipList1Click();
    void SaveToListFile(); // the end of Save and Save As
    // The current file when it was read only in part, or not at all: saving the list over it
    // would lose what the list does not hold. Total is -1 for a file that was not read.
    struct TPartialRead {
        QString File;
        qint64 Read = 0, Total = -1;
        bool NotReadFrom = false; // named in the options: the list never came from it
    };
    std::optional<TPartialRead> PartialRead;
    bool IsPartialRead(const QString& fileName) const override;
    bool MayReplacePartialRead();                        // asks
    QString PartialReadNote() const;                     // "25 of 8,200,000 clips"
    void ShowPartialRead();                              // on the status line
    void ListFileNamed(const QString& oldFile) override; // DefaultFile was named by hand
    QString ClipListFilter() const;
    QString TextFilter() const;
    void WriteLastDir(const QString& fileName);
    // At exit (files/TempLists.cpp): save a changed list, or ask. Without a user to ask, a list
    // that would have been asked about goes to a temporary list, the user's file staying as it was.
    void ExitSaveStep(bool interactive);
    bool AskSaveClipList(); // "Save Clipboard List?", Yes and No
    bool AnsweredAtExit(const std::function<void()>& save);
    void SaveToTempListAtExit(bool interactive, const QString& keptFile, const char* why);
    QStringList TempListFolders(bool anywhere) const override;
    QString SaveToWritableTempList(const std::function<void(const QString&)>& save, bool anywhere);
    // Says where the list went instead of keptFile: now, and at the next start.
    void NoteExitSave(bool interactive, const QString& target, const QString& keptFile,
                      const char* why);

    // The one writer of list files: Auto Save, Save, Save As, the exit save (files/AutoSave.cpp).
    TAutoSave* AutoSave = nullptr;
    const TChangeFlag& ListChanges() const override { return ListChanged; }
    // Another list takes the window's place: its own temporary list when it needs one.
    void ListReplaced();

    // Closing (Closing.cpp). The session's end and termination signals close for real; the result
    // is false when a closing step failed and the program runs on.
    bool EndSession(bool interactive);
    // A termination signal: boxes on the screen close, and the program ends within moments
    // after the exit save, which goes where nothing needs a question.
    void Terminate();
    bool Terminating = false;
    void EndWithoutDisplay(); // the X server is gone: save, without a window

    // Editing clips: pick, insert, delete, move, sort, clear; the grid's keys and focus
    // (grid/EditCommands.cpp).
    void SelectClip1Click();
    void SelectAll1Click();
    void InsertClip1Click();
    void Delete1Click();
    void MoveDown1Click();
    void MoveUp1Click();
    void SortClips1Click();
    void SortDescending1Click();
    void ClearClipList1Click();
    void StringGrid1KeyDown(int& key);
    void FocusChanged(QWidget* from, QWidget* to);

    // Find and Replace, from the current clip down (grid/FindReplace.cpp).
    void Find1Click();
    void FindandReplace1Click();
    void FindNext(const QString& text, bool matchCase);
    void ReplaceClips(bool all);
    int SearchColumn() const;

    // The zoom view: the current clip's whole text in place of the grid (grid/Zoom.cpp).
    bool IsZoomed() const;
    void ShowZoomView(bool shown);
    void ZoomIn();  // spdbtnZoom
    void ZoomOut(); // spdbtnShrink
    void Expand1Click();
    void Contract1Click();
    void StringGrid1DblClick(const QModelIndex& index);
    void Memo1Change();
    // A clip with a line too long to edit is shown read-only: said on the status line.
    void SayShownReadOnly();
    QList<QByteArray> ClipTextsWithZoomEdit() override;
    void FollowZoomedClip(const QList<int>& origin); // after a sort

    // Window states and the tray (WindowStates.cpp, Tray.cpp). Minimizing and restoring act on the
    // whole program; with the tray on (and a tray to come back from) a minimized program has no
    // taskbar entry.
    void MinimizeApplication();
    void RestoreApplication();
    void ToggleShowHide();
    void AppEvents1Minimize();
    void AppEvents1Restore();
    void RxTrayIcon1Click(QSystemTrayIcon::ActivationReason reason);
    void Restore1Click();
    void TrayIcon1Click();
    void Minimize1Click();
    void StayOnTop1Click();
    void SetTopmost(bool on);
    bool IsTopmost() const;
    void SuspendClipArchiving1Click() override;
    void ShowArchivingState(); // the tray icon and the first tray item follow NoArc
    void ClearClipboard1Click();
    void RollUp1Click();
    bool IsRolledUp() const;

    // Hot keys and pasting into the window the user works in (SeriesPaste.cpp).
    void RegisterHotKeys();
    void ReleaseHotKeys();
    void HotKeyPressed(int id);
    void SeriesPaste();
    void PasteByNumber(int id);
    std::unique_ptr<TPasteQueue> Pastes; // PasteQueue.cpp
    void QueuePaste(const QByteArray& text);
    void PasteDone();
    void SayPastesDropped(int dropped);
    void SayPasteByHand(); // where the desktop lets no program paste
    // An action handed over by a second start of the program (Actions.cpp).
    CommandChannel::TAnswer RunAction(const CommandChannel::TRequest& request);
    CommandChannel::TAnswer AddFromCommand(const QByteArray& text);
    QByteArray ListForLauncher() const;

    // Help, the maker's web pages and mail, the About box (HelpCommands.cpp).
    void Contents1Click();
    void Help2Click();
    void KeywordSearch1Click();
    void OtherVendrelSoftware1Click();
    void QuilleryWebPage1Click();
    void VendrelWebPage1Click();
    void EmailFeedback1Click();
    void About1Click();
    // Hands an address to the desktop, asking first when ask is set; true when it was opened.
    bool LaunchBrowser(const QString& address, bool ask);
    QString HelpFile() const; // the folder of the help pages
    void HelpRequest(THelpCommand command, int topic = 0);

    // Languages (lang/Messages.cpp).
    TToolkitTexts ToolkitTexts; // Qt's own buttons and dialogs, in the same language
    QString MessageText(const QString& text) const override; // the English text is its own key
    void LanguageStartup();
    void LangExec(QAction* item);
    void NameControls(); // accessible names, for a screen reader
    void ApplyLanguage(const QString& name);

    void ShowStatus(const QString& text) override { pnlStatus->setText(text); }
    QWidget& Window() override { return *this; }
    IPrompts& Questions() override { return Platform.Prompts; }

    // The tray icon's tooltip (fMain.cpp).
    QString TrayHint() const;
    void SetTrayHint(const QString& hint);

    // Applies the settings to the window: stay on top, tray icon, grid editing, fonts
    // (config/RefreshOptions.cpp).
    void RefreshOptions() override;
    void Options1Click();                // the options dialog
    void SetGridRows(int rows) override; // a count past any real use is taken as the largest

    // Runs a command; an error it raises ends it and goes to the general error report.
    // Returns false when the command failed.
    bool Guarded(const std::function<void()>& command) override;

    const TProgramFolders Folders; // Data holds the lists: the program's folder when portable
    TPlatform Platform;

signals:
    // The close went ahead: the program ends.
    void FormClosed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Making the window (fMain.cpp, ToolBar.cpp, Tray.cpp).
    void CreateComponents();
    void CreateMenus();
    void CreateTrayMenu();
    void CreateToolBar();
    void CreateClipListMenu();
    QToolButton* AddSpeedButton(const char* name, const QIcon& icon, int left, const QString& hint,
                                void (TQuilleryMainForm::*click)());
    void FormCreate();
    void SetGeometryOnScreen(const QRect& wanted);

    // Closing (Closing.cpp; Exit in fMain.cpp).
    bool FormCloseQuery();
    void FormClose();
    void SaveSettingsAtExit(); // the window's place with the rest
    void Exit1Click();
    bool Interactive = true; // a user is there to answer questions at close
    bool Closing = false;    // inside the close handler
    bool HasClosed = false;
};
