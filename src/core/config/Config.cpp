#include "Config.h"

#include "IniFile.h"

TConfig* Config = nullptr;

namespace {
const QString Options = QStringLiteral("Options");
const QString Defaults = QStringLiteral("Defaults");

QString WithoutTrailingSeparator(const QString& dir) {
    return dir.size() > 1 && dir.endsWith(QLatin1Char('/')) ? dir.left(dir.size() - 1) : dir;
}

// The record keeps one character; an empty value keeps the default letter.
QChar FirstChar(const TIniFile& ini, const QString& key, QChar def) {
    const QString value = ini.ReadString(Options, key, QString(def));
    return value.isEmpty() ? def : value.front();
}
} // namespace

TConfig::TConfig(const QString& programDir) : TConfig(programDir, programDir) {}

TConfig::TConfig(const QString& settingsDir, const QString& dataDir)
    : LastDir(WithoutTrailingSeparator(dataDir)), Dir(settingsDir), DataDir(dataDir) {}

QString TConfig::IniFileName() const {
    return Dir + QStringLiteral("Quillery.Ini");
}

void TConfig::LoadFromIni() {
    const TIniFile ini(IniFileName());
    IniUnreadable = ini.Unreadable();
    ShowGridHints = ini.ReadBool(Options, QStringLiteral("ShowGridHints"), true);
    Rows = ini.ReadInteger(Options, QStringLiteral("Rows"), 25);
    if (Rows < 1)
        Rows = 25; // no row count: Rows=0 would empty the list file at exit
    Tray = ini.ReadBool(Options, QStringLiteral("Tray"), true);
    StartUp = ini.ReadBool(Options, QStringLiteral("StartUp"), false);
    StartMin = ini.ReadBool(Options, QStringLiteral("StartMin"), false);
    Minimized = StartMin;
    OnTop = ini.ReadBool(Options, QStringLiteral("OnTop"), false);
    PromptSave = ini.ReadBool(Options, QStringLiteral("PromptSave"), true);
    AutoSave = ini.ReadBool(Options, QStringLiteral("AutoSave"), false);
    NoArc = ini.ReadBool(Options, QStringLiteral("NoArc"), false);
    Splash = ini.ReadBool(Options, QStringLiteral("Splash"), true);
    OpenLast = ini.ReadBool(Options, QStringLiteral("OpenLast"), false);
    ClearFile = ini.ReadBool(Options, QStringLiteral("ClearFile"), true);
    GridEdit = ini.ReadBool(Options, QStringLiteral("GridEdit"), false);
    Beep = ini.ReadBool(Options, QStringLiteral("Beep"), false);
    MinCopy = ini.ReadBool(Options, QStringLiteral("MinCopy"), false);
    Associate = ini.ReadBool(Options, QStringLiteral("Associate"), false);
    RowPaste = ini.ReadBool(Options, QStringLiteral("RowPaste"), false);
    Language = ini.ReadString(Options, QStringLiteral("Language"), QStringLiteral("English"));
    Font = ini.ReadString(Options, QStringLiteral("Font"), QStringLiteral("Arial"));
    FontStyle = ini.ReadInteger(Options, QStringLiteral("FontStyle"), 0);
    FontSize = ini.ReadInteger(Options, QStringLiteral("FontSize"), 9);
    FontColor = ini.ReadInteger(Options, QStringLiteral("FontColor"), 0);
    DefaultFile = ini.ReadPath(Options, QStringLiteral("DefaultFile"), QString());
    LastDir = ini.ReadPath(Options, QStringLiteral("LastDir"), WithoutTrailingSeparator(DataDir));
    LastExitNote = ini.ReadString(Options, QStringLiteral("LastExitNote"), QString());
    RestoreHK = FirstChar(ini, QStringLiteral("RestoreHK"), QLatin1Char('M'));
    SPasteHK = FirstChar(ini, QStringLiteral("SPasteHK"), QLatin1Char('V'));

    Height = ini.ReadInteger(Defaults, QStringLiteral("Height"), 297);
    Width = ini.ReadInteger(Defaults, QStringLiteral("Width"), 331);
    Left = ini.ReadInteger(Defaults, QStringLiteral("Left"), 222);
    Top = ini.ReadInteger(Defaults, QStringLiteral("Top"), 158);

    PowerPaste = static_cast<quint16>(ini.ReadInteger(Options, QStringLiteral("PowerPaste"), 1));
}

void TConfig::SaveToIni() const {
    TIniFile ini(IniFileName());
    ini.WriteBool(Options, QStringLiteral("ShowGridHints"), ShowGridHints);
    ini.WriteInteger(Defaults, QStringLiteral("Height"), Height);
    ini.WriteInteger(Defaults, QStringLiteral("Width"), Width);
    ini.WriteInteger(Defaults, QStringLiteral("Left"), Left);
    ini.WriteInteger(Defaults, QStringLiteral("Top"), Top);
    ini.WriteInteger(Options, QStringLiteral("Rows"), Rows);
    ini.WriteBool(Options, QStringLiteral("Tray"), Tray);
    ini.WriteBool(Options, QStringLiteral("StartUp"), StartUp);
    ini.WriteBool(Options, QStringLiteral("StartMin"), StartMin);
    ini.WriteBool(Options, QStringLiteral("OnTop"), OnTop);
    ini.WriteBool(Options, QStringLiteral("PromptSave"), PromptSave);
    ini.WriteBool(Options, QStringLiteral("AutoSave"), AutoSave);
    ini.WriteBool(Options, QStringLiteral("NoArc"), NoArc);
    ini.WriteBool(Options, QStringLiteral("Splash"), Splash);
    ini.WriteBool(Options, QStringLiteral("OpenLast"), OpenLast);
    ini.WriteBool(Options, QStringLiteral("ClearFile"), ClearFile);
    ini.WriteBool(Options, QStringLiteral("GridEdit"), GridEdit);
    ini.WriteBool(Options, QStringLiteral("Beep"), Beep);
    ini.WriteBool(Options, QStringLiteral("MinCopy"), MinCopy);
    ini.WriteBool(Options, QStringLiteral("Associate"), Associate);
    ini.WriteBool(Options, QStringLiteral("RowPaste"), RowPaste);
    ini.WritePath(Options, QStringLiteral("DefaultFile"), DefaultFile);
    ini.WriteString(Options, QStringLiteral("RestoreHK"), QString(RestoreHK));
    ini.WriteString(Options, QStringLiteral("SPasteHK"), QString(SPasteHK));
    ini.WriteString(Options, QStringLiteral("Font"), Font);
    ini.WriteInteger(Options, QStringLiteral("FontStyle"), FontStyle);
    ini.WriteInteger(Options, QStringLiteral("FontSize"), FontSize);
    ini.WriteInteger(Options, QStringLiteral("FontColor"), FontColor);
    ini.WriteString(Options, QStringLiteral("Language"), Language);
    ini.WriteInteger(Options, QStringLiteral("PowerPaste"), PowerPaste);
    if (LastExitNote.isEmpty())
        ini.DeleteKey(Options, QStringLiteral("LastExitNote"));
    else
        ini.WriteString(Options, QStringLiteral("LastExitNote"), LastExitNote);
    ini.UpdateFile();
}

void TConfig::WriteLastDir(const QString& folder) const {
    TIniFile ini(IniFileName());
    ini.WritePath(Options, QStringLiteral("LastDir"), folder);
    ini.UpdateFile();
}
