#pragma once

#include <QChar>
#include <QString>

// The settings record, loaded from and saved to Quillery.Ini in the program directory.
// One instance lives from program start until the message loop has ended.
class TConfig {
public:
    explicit TConfig(const QString& programDir); // programDir ends with a separator
    // Quillery.Ini in settingsDir; the open dialogs start in dataDir until LastDir says more.
    TConfig(const QString& settingsDir, const QString& dataDir);

    QString IniFileName() const;

    void LoadFromIni();
    void SaveToIni() const; // throws EQuillery "Unable to write to <path>"
    // Writes one key of "Options" straight into the file (the record is not changed).
    void WriteLastDir(const QString& folder) const;

    QString LastDir;
    QString DefaultFile;
    QString Language = QStringLiteral("English");
    QString Font = QStringLiteral("Arial");
    qint32 FontColor = 0; // 0x00BBGGRR
    int FontStyle = 0;    // 1 bold, 2 italic, 4 underline, 8 strike-out
    int FontSize = 9;
    quint16 PowerPaste = 1; // 0 up, 1 down
    int Rows = 25;
    int Height = 297;
    int Width = 331;
    int Left = 222;
    int Top = 158;
    QChar RestoreHK = QLatin1Char('M');
    QChar SPasteHK = QLatin1Char('V');
    bool MinCopy = false;
    bool Associate = false;
    bool RowPaste = false;
    bool Beep = false;
    bool GridEdit = false;
    bool OpenLast = false;
    bool ClearFile = true;
    bool Splash = true;
    bool PromptSave = true;
    bool AutoSave = false;
    bool OnTop = false;
    bool NoArc = false;
    bool StartUp = false;
    bool StartMin = false;
    bool Minimized = false; // run-time state, never written
    // Where the exit save put a list it could not write to its own file, said at the next
    // start; written only while it holds a note.
    QString LastExitNote;
    // The settings file is there but could not be read; said at start, and never written.
    bool IniUnreadable = false;
    bool ShowGridHints = true;
    bool Tray = true;

private:
    QString Dir;
    QString DataDir;
};

// The one settings record; program start creates it before anything else.
extern TConfig* Config;
