#pragma once

#include "config/ProgramFolders.h"
#include "lang/ToolkitTexts.h"
#include "platform/Platform.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPersistentModelIndex>
#include <QPoint>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QFrame;
class QLabel;
class QMimeData;
class QTemporaryDir;
class THintWindow;
class QMenu;
class QModelIndex;
class QStackedWidget;
class QToolButton;
class TZoomView;
class TFindDialog;
class TReplaceDialog;
class TFileDialogComponent;
class TLanguage;
class QTimer;
class TKXStringGrid;
class TAutoSave;

// The main window: it holds the clip list in its grid and the state that the commands share.
// Command handlers of each subsystem are member functions defined in that subsystem's folder.
class TQuilleryMainForm : public QMainWindow {
    Q_OBJECT
public:
    // programDir ends with a separator; the settings record must exist already.
    TQuilleryMainForm(const QString& programDir, TPlatform platform, QWidget* parent = nullptr);
    TQuilleryMainForm(const TProgramFolders& folders, TPlatform platform,
                      QWidget* parent = nullptr);
    ~TQuilleryMainForm() override;

    // Components.
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
    QLabel* pnlStatus = nullptr;
    QSystemTrayIcon* TrayIcon1 = nullptr;
    QTimer* Timer1 = nullptr;
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
    bool ListChanged = false;
    bool CaptureArmed = false;
    bool OwnWrite = false;
    bool CloseAllowed = false;
    QPoint MouseDownPoint;
    THintWindow* HintWindow = nullptr; // made on the first hint

    // The mouse on the clip list: picking, dragging out, dropping in, hints.
    void StringGrid1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void StringGrid1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                              QPoint pos);
    void StringGrid1Drop(const QString& text);
    void ShowGridHint(const QPoint& pos);
    void HideGridHint();
    static QString DragResultText(Qt::DropAction result); // in English, to be translated
    // Runs a drag of the data, which it takes over, and returns its result; tests replace it.
    std::function<Qt::DropAction(QMimeData*)> ExecDrag;

    // The clip list (column 1 of the grid, row 0 the newest).
    QList<QByteArray> ClipTexts() const;
    void SetClipTexts(const QList<QByteArray>& texts);
    QByteArray ClipAt(int row) const;
    void SetClipAt(int row, const QByteArray& text);
    bool IsRowIndex(int row) const;
    void SelectTopRow();
    void AddClipAtTop(const QByteArray& text);
    void AppendToClip(int row, const QByteArray& text);

    // Capture.
    void JoinClipboardChain();
    void LeaveClipboardChain();
    void ClipboardChanged();
    void CaptureClipboard();
    // Puts a clip on the clipboard with OwnWrite raised; a failed write still lowers it.
    void WriteClipboardOwn(const QByteArray& text);
    // Sets guard to during for the write and back after it, also when the write fails.
    void WriteClipboardGuarded(bool& guard, bool during, const QByteArray& text);

    // Clip list files.
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
    bool IsPartialRead(const QString& fileName) const;
    bool MayReplacePartialRead();               // asks
    QString PartialReadNote() const;            // "25 of 8,200,000 clips"
    void ShowPartialRead();                     // on the status line
    void ListFileNamed(const QString& oldFile); // DefaultFile was named by hand
    QString ClipListFilter() const;
    QString TextFilter() const;
    void WriteLastDir(const QString& fileName);
    // At exit: save a changed list, or ask. Without a user to ask, a list that would have been
    // asked about goes to a temporary list, the user's file staying as it was.
    void ExitSaveStep(bool interactive);
    bool AskSaveClipList(); // "Save Clipboard List?", Yes and No
    bool AnsweredAtExit(const std::function<void()>& save);
    void SaveToTempListAtExit(bool interactive, const QString& keptFile, const char* why);
    QStringList TempListFolders(bool anywhere) const;
    QString SaveToWritableTempList(const std::function<void(const QString&)>& save, bool anywhere);
    // Says where the list went instead of keptFile: now, and at the next start.
    void NoteExitSave(bool interactive, const QString& target, const QString& keptFile,
                      const char* why);

    // The one writer of list files: Auto Save, Save, Save As, the exit save (files/AutoSave.cpp).
    TAutoSave* AutoSave = nullptr;
    // Another list takes the window's place: its own temporary list when it needs one.
    void ListReplaced();

    // Closing. The session's end and termination signals close for real; the result is
    // false when a closing step failed and the program runs on.
    bool EndSession(bool interactive);
    // A termination signal: boxes on the screen close, and the program ends within moments
    // after the exit save, which goes where nothing needs a question.
    void Terminate();
    bool Terminating = false;
    void EndWithoutDisplay(); // the X server is gone: save, without a window

    // Editing clips: pick, insert, delete, move, sort, clear; the grid's keys and focus.
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

    // Find and Replace, from the current clip down.
    void Find1Click();
    void FindandReplace1Click();
    void FindNext(const QString& text, bool matchCase);
    void ReplaceClips(bool all);
    int SearchColumn() const;

    // The zoom view: the current clip's whole text in place of the grid.
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
    QPersistentModelIndex ZoomedClip; // the clip the view shows
    QList<QByteArray> ClipTextsWithZoomEdit();
    void FollowZoomedClip(const QList<int>& origin); // after a sort

    // Window states and the tray. Minimizing and restoring act on the whole program; with
    // the tray on (and a tray to come back from) a minimized program has no taskbar entry.
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
    void SuspendClipArchiving1Click();
    void ShowArchivingState(); // the tray icon and the first tray item follow NoArc
    void ClearClipboard1Click();
    void RollUp1Click();
    bool IsRolledUp() const;

    // Hot keys and pasting into the window the user works in.
    void RegisterHotKeys();
    void ReleaseHotKeys();
    void HotKeyPressed(int id);
    void SeriesPaste();
    void PasteByNumber(int id);
    int MaxPasteWaitMs = 5000; // a press waiting longer for its turn is dropped

    // Help, the maker's web pages and mail, the About box.
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

    // Languages.
    TToolkitTexts ToolkitTexts; // Qt's own buttons and dialogs, in the same language
    QString MessageText(const QString& text) const; // the English text is its own key
    void LanguageStartup();
    void LangExec(QAction* item);
    void NameControls(); // accessible names, for a screen reader

    // The tray icon's tooltip.
    QString TrayHint() const;
    void SetTrayHint(const QString& hint);

    // Applies the settings to the window: stay on top, tray icon, grid editing, fonts.
    void RefreshOptions();
    void Options1Click();       // the options dialog
    void SetGridRows(int rows); // a count past any real use is taken as the largest

    // Runs a command; an error it raises ends it and goes to the general error report.
    // Returns false when the command failed.
    bool Guarded(const std::function<void()>& command);

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
    bool FormCloseQuery();
    void FormClose();
    void SaveSettingsAtExit(); // the window's place with the rest
    bool Interactive = true;   // a user is there to answer questions at close
    bool Closing = false;      // inside the close handler
    bool HasClosed = false;
    void CreateComponents();
    void CreateMenus();
    void CreateTrayMenu();
    void CreateToolBar();
    void CreateClipListMenu();
    QToolButton* AddSpeedButton(const char* name, const QIcon& icon, int left, const QString& hint,
                                void (TQuilleryMainForm::*click)());
    void QueuePaste(const QByteArray& text);
    void NextPaste();
    void PasteDone();
    struct TPendingPaste {
        QByteArray Text;
        quint64 Window; // the user's window when the key went down
        QElapsedTimer Pressed;
    };
    QList<TPendingPaste> PendingPastes; // hot-key pastes not yet handed to their window
    bool Pasting = false;
    void FormCreate();
    void DragOut(int row);
    QMimeData* DragData(const QByteArray& clip);
    Qt::DropAction RunDrag(QMimeData* data);
    std::unique_ptr<QTemporaryDir> ScrapFolder; // the dragged clip as a file
    void SetGeometryOnScreen(const QRect& wanted);
    void Timer1Timer();
    void Exit1Click();
    void ApplyLanguage(const QString& name);
};
