#include "LanguageText.h"

#include "core/config/IniFile.h"
#include "core/files/FileNames.h"

#include <QDir>
#include <QFileInfo>

namespace LanguageText {

QString TrimBlanks(const QString& text) {
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text.at(b).unicode() <= 0x20)
        ++b;
    while (e > b && text.at(e - 1).unicode() <= 0x20)
        --e;
    return text.mid(b, e - b);
}

QString NormalizeSeparator(const QString& separator) {
    return TrimBlanks(separator).isEmpty() ? QStringLiteral(",") : separator;
}

QStringList SplitItems(const QString& value, const QString& separator) {
    QStringList items;
    QString rest = value;
    qsizetype at;
    while (!separator.isEmpty() && (at = rest.indexOf(separator)) >= 0) {
        items.append(TrimBlanks(rest.left(at)));
        rest = rest.mid(at + separator.size());
    }
    rest = TrimBlanks(rest);
    if (!rest.isEmpty())
        items.append(rest);
    return items;
}

static QChar FoldAscii(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ? QChar(c.unicode() - 0x20) : c;
}

bool SameName(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (FoldAscii(a.at(i)) != FoldAscii(b.at(i)))
            return false;
    }
    return true;
}

QStringList MainFormProperties() {
    const QString main = QStringLiteral("QuilleryMainForm.");
    QStringList list;
    for (const char* button :
         {"spdbtnOpen", "spdbtnSave", "spdbtnShrink", "spdbtnZoom", "spdbtnEdit", "spdbtnImport",
          "spdbtnConfig", "spdbtnHelp", "spdbtnClose"})
        list << main + button + ".Hint";
    list << main + "MainMenu1.File1.Caption";
    for (const char* item : {"NewClipList1",
                             "OpenClipList1",
                             "SaveClipList1",
                             "EditClipList1",
                             "AppendClipList1",
                             "ImportTextFile1",
                             "ImportTextFileIntoCell1",
                             "SaveCliptoFile1",
                             "Exit1",
                             "Edit1",
                             "InsertClip1",
                             "Delete1",
                             "ClearClipList1",
                             "Find1",
                             "FindandReplace1",
                             "SelectClip1",
                             "SelectAll1",
                             "MoveDown1",
                             "MoveUp1",
                             "Sort1",
                             "SortClips1",
                             "SortDescending1",
                             "APpendMode1",
                             "Lists1",
                             "View1",
                             "Options1",
                             "Expand1",
                             "Contract1",
                             "Minimize1",
                             "Help1",
                             "Contents1",
                             "KeywordSearch1",
                             "QuilleryWebPage1",
                             "VendrelWebPage1",
                             "EmailFeedback1",
                             "OtherVendrelSoftware1",
                             "About1"})
        list << main + item + ".Caption";
    list << QString();
    for (const char* item :
         {"Close2", "SuspendClipArchiving2", "ClearClipboard1", "StayOnTop1", "Help3", "Restore2"})
        list << main + "popupTray." + item + ".Caption";
    list << QString();
    for (const char* item :
         {"ZoomIn1", "ZoomOut1", "Delete2", "LoadTextFileIntoClip1", "SaveCliptoTextFile1"})
        list << main + "popupClipList." + item + ".Caption";
    list << QString() << main + "OpenDialog1.Filter" << main + "SaveDialog1.Filter" << QString();
    list << "frmConfig.Caption"
         << "frmConfig.OpenDialog1.Filter"
         << "frmConfig.frmConfig.gbProgOpts.Caption"
         << "chkTray.Caption"
         << "frmConfig.chkTray.Hint";
    for (const char* box : {"chkNoArc", "chkOnTop", "chkClearFile", "chkGridEdit", "chkBeep",
                            "chkMinCopy", "chkAssoc"})
        list << QStringLiteral("frmConfig.%1.Caption").arg(box)
             << QStringLiteral("frmConfig.%1.Hint").arg(box);
    const QList<QStringList> groups = {
        {"gbLoading.Caption", "chkStart.Hint", "chkMin.Hint", "chkSplash.Hint", "chkOpenLast.Hint"},
        {"gbRows.Caption", "edtRows.Hint"},
        {"gbFonts.Caption", "edtFont.Hint", "spdbtnFont.Hint"},
        {"gbDefaultFile.Caption", "cedtDefaultFile.Hint", "btnBrowse.Hint"},
        {"gbHotKeys.Caption", "lblRestore.Caption", "edtRestoreHK.Hint", "lblSeriesPaste.Caption",
         "edtSPasteHK.Hint", "chkRowPaste.Hint"},
        {"gbSaving.Caption", "chkPrompt.Hint", "chkAutoSave.Hint"},
        {"bitbtnOK.Hint", "bitbtnCancel.Hint"},
        {"chkShowGridHints.Caption", "rgPowerPaste.Caption", "rgPowerPaste.Items"}};
    for (const QStringList& group : groups) {
        list << QString();
        for (const QString& path : group)
            list << "frmConfig." + path;
    }
    list << QString() << "AboutBox.Caption";
    // The program's own commands, after the designed list so that its entries keep their places.
    list << QString() << main + "RollUp1.Caption";
    for (const char* control : {"chkStart", "chkMin", "chkSplash", "chkOpenLast", "chkRowPaste",
                                "chkPrompt", "chkAutoSave", "bitbtnOK", "bitbtnCancel"})
        list << QStringLiteral("frmConfig.%1.Caption").arg(control);
    return list;
}

QStringList MessageKeys() {
    return {
        "Unable to assign", "Unable to assign Restore hotkey.",
        "Unable to assign Series Paste hotkey.", "Would you like to save your changes?",
        "File Not Saved: too many temp clip lists.", "Confirmation", "Save Clipboard List?",
        "Quillery Files", "Text files (*.txt)|*.TXT|All files (*.*)|*.*",
        "You must select a cell first.", "&Suspend Clip Archiving", "Re&sume Clip Archiving",
        "Are you sure you want to clear the clip list?", "Clear Clip File?",
        "Replace selected cell contents?", "Copied successfully", "Scrap file created successfully",
        "Drop cancelled", "Can't drop, out of memory.", "Can't drop - unknown reason.",
        "Failed to open File",
        // The program's own messages, after the designed ones.
        "%1 of %2 clips",
        "The file %1 could not be read. Saving replaces it with the clip list. Save anyway?",
        "The file %1 was read only in part: it holds %2 clips beyond the list, which saving "
        "would lose. Save anyway?",
        "The clip list was saved to %1: %2 was not read whole and is left as it was.",
        // The find and replace dialogs.
        "Find", "Replace", "Fi&nd what:", "Re&place with:", "Match &case", "&Find Next", "&Replace",
        "Replace &All", "Cancel",
        // The font dialog's colour button.
        "&Color...",
        // A copy too large to record, and a clip too long to edit.
        "A copied text larger than %1 MB was not recorded.",
        "A line is too long to edit: shown read-only.",
        "The clip list was saved to %1: %2 was left as it was, since nobody could be asked.",
        "The clip list was saved to %1: it was not read from %2, which is left as it was.",
        "The clip list was not read from %1. Saving replaces that file with the clip list. "
        "Save anyway?",
        "With %1 rows, %2 clips at the end of the list are removed. Go on?",
        "%1 is not wholly UTF-8 text: it is shown read-only.",
        "The clip list was saved to %1: %2 could not be written.",
        "%1 pastes were dropped: their window was closed, or they waited too long.",
        "The settings file %1 could not be read: it is left as it is.",
        "The folder %1 cannot be written: a changed list is kept elsewhere.", "Clip text",
        "Status line", "&Contents", "&Index", "Type a keyword", "Back", "Forward", "Help",
        "This desktop offers clipboard managers no data control: copies made in Wayland "
        "windows may be missed.",
        "There is no clip %1: the clips are numbered 0 to %2.",
        "There is no clip %1: the list is empty.", "Recording is suspended: no clip was added.",
        "The input was empty: no clip was added.",
        "This desktop gives programs no global hot keys: bind keys to the command quillery "
        "--series-paste and the other actions in its settings (Help tells how).",
        "The clip is on the clipboard: paste it with Ctrl+V. This desktop lets no program paste.",
        "The connection to the desktop's clipboard was lost: copies are not recorded until it "
        "is back.",
        "The connection to the desktop's clipboard is back: copies are recorded again.",
        "The clip list is saved to %1 again."};
}

static QStringList LanguageEntries(const QString& dir) {
    return FileNames::EntriesMatching(dir, QStringLiteral("*.lng"));
}

static QString BaseName(const QString& entry) {
    return entry.left(entry.lastIndexOf(QLatin1Char('.')));
}

QStringList LanguageNames(const QString& dir) {
    QStringList names;
    for (const QString& entry : LanguageEntries(dir))
        names.append(BaseName(entry));
    return names;
}

QString LanguageFile(const QString& dir, const QString& name) {
    QString exact = dir + name + QStringLiteral(".lng");
    if (QFileInfo::exists(exact))
        return exact;
    for (const QString& entry : LanguageEntries(dir)) {
        if (BaseName(entry) == name)
            return dir + entry;
    }
    return exact;
}

QStringList LanguageNames(const QStringList& dirs) {
    QStringList names;
    for (const QString& dir : dirs) {
        for (const QString& name : LanguageNames(dir)) {
            if (!names.contains(name, Qt::CaseInsensitive))
                names.append(name);
        }
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

QString LanguageFile(const QStringList& dirs, const QString& name) {
    for (const QString& dir : dirs) {
        QString file = LanguageFile(dir, name);
        if (QFileInfo::exists(file))
            return file;
    }
    return LanguageFile(dirs.value(0), name);
}

QString MessageText(const QString& languageFile, const QString& text) {
    if (languageFile.isEmpty())
        return text;
    return TIniFile(languageFile).ReadString(QStringLiteral("Messages"), text, text);
}

} // namespace LanguageText
