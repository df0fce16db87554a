#include "DesktopEntries.h"

#include "ProgramFolders.h"

#include "IniFile.h"
#include "core/Errors.h"
#include "core/files/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

namespace DesktopEntries {

namespace {

const QString MimeType = QStringLiteral("application/x-quillery-clip-list");

QString DataHome() {
    return TProgramFolders::DataHome();
}

QString ConfigHome() {
    return TProgramFolders::ConfigHome();
}

void WriteFile(const QString& fileName, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    try {
        TSafeFile::WriteAll(fileName, bytes);
    } catch (const EQuillery& e) {
        // The failed write's own reason after the old words, so the box says why.
        throw EQuillery(
            QStringLiteral("Failed to set data for '%1': %2").arg(fileName, e.Message()));
    }
}

// The desktop's own caches follow the files where their tools are installed.
void Refresh(const char* tool, const QString& folder) {
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    if (!program.isEmpty() && QFileInfo(folder).isDir())
        QProcess::execute(program, {folder});
}

QString Escaped(QString text) {
    // Inside a desktop entry's string: a backslash is written twice.
    return text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
}

QByteArray Entry(const QString& name, const QString& exec, const QStringList& more) {
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\n"
                                  "Comment=Clipboard history\nExec=%2\nTerminal=false\n")
                       .arg(name, exec);
    for (const QString& line : more)
        text += line + QLatin1Char('\n');
    return text.toUtf8();
}

QString MimeApps() {
    return ConfigHome() + QStringLiteral("/mimeapps.list");
}

} // namespace

QString ExecArgument(const QString& path) {
    // A line break would start a line of its own in the entry (a command of the path's
    // choosing at the next login); desktops read other control characters differently.
    if (std::any_of(path.begin(), path.end(), [](QChar c) { return c < ' ' || c == '\x7f'; }))
        throw EQuillery(QStringLiteral("The program's path \"%1\" holds a line break or another "
                                       "control character, so no desktop entry can name it. "
                                       "Move the program to another folder.")
                            .arg(QString(path).replace(QLatin1Char('\n'), QStringLiteral("\\n"))));
    // Quoted, with the characters that quoting does not protect escaped, and % doubled.
    QString arg;
    for (QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            arg += QLatin1Char('\\');
        arg += c;
        if (c == QLatin1Char('%'))
            arg += QLatin1Char('%');
    }
    return Escaped(QLatin1Char('"') + arg + QLatin1Char('"'));
}

QString MimeIconName() {
    return QString(MimeType).replace(QLatin1Char('/'), QLatin1Char('-'));
}

void AssociateFile(const QString& typeName, bool associate, const QString& programPath,
                   const QByteArray& iconSvg) {
    const QString package = DataHome() + QStringLiteral("/mime/packages/") + typeName + ".xml";
    const QString desktop = typeName + QStringLiteral(".desktop");
    const QString entry = DataHome() + QStringLiteral("/applications/") + desktop;
    const QString defaults = QStringLiteral("Default Applications");
    const QString icons = DataHome() + QStringLiteral("/icons/hicolor/scalable/");
    const QString appIcon = icons + QStringLiteral("apps/") + typeName + QStringLiteral(".svg");
    const QString mimeIcon = icons + QStringLiteral("mimetypes/") + MimeIconName() + ".svg";
    if (associate && !iconSvg.isEmpty()) {
        WriteFile(appIcon, iconSvg);
        WriteFile(mimeIcon, iconSvg);
    }
    if (associate) {
        WriteFile(package,
                  QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<mime-info xmlns=\"http://www.freedesktop.org/standards/"
                                 "shared-mime-info\">\n  <mime-type type=\"%1\">\n"
                                 "    <comment>%2 File</comment>\n    <icon name=\"%3\"/>\n"
                                 "    <glob pattern=\"*.clp\"/>\n  </mime-type>\n</mime-info>\n")
                      .arg(MimeType, typeName.toHtmlEscaped(), MimeIconName())
                      .toUtf8());
        WriteFile(entry,
                  Entry(typeName, ExecArgument(programPath) + QStringLiteral(" %f"),
                        {QStringLiteral("MimeType=") + MimeType + QLatin1Char(';'),
                         QStringLiteral("Icon=") + typeName, QStringLiteral("Categories=Utility;"),
                         QStringLiteral("NoDisplay=true")}));
        TIniFile apps(MimeApps());
        apps.WriteString(defaults, MimeType, desktop);
        QDir().mkpath(ConfigHome());
        try {
            apps.UpdateFile();
        } catch (const EQuillery&) {
            throw EQuillery(QStringLiteral("Failed to set data for '%1'").arg(MimeApps()));
        }
    } else {
        for (const QString& file : {package, entry, appIcon, mimeIcon})
            QFile::remove(file);
        TIniFile apps(MimeApps());
        // Another program's default is left alone; ours goes.
        if (apps.ReadString(defaults, MimeType, QString()) == desktop) {
            apps.DeleteKey(defaults, MimeType);
            apps.UpdateFile();
        }
    }
    Refresh("update-mime-database", DataHome() + QStringLiteral("/mime"));
    Refresh("update-desktop-database", DataHome() + QStringLiteral("/applications"));
}

void AddStartupShortcut(const QString& name, const QString& target, const QString& arguments) {
    QString exec = ExecArgument(target);
    if (!arguments.isEmpty())
        exec += QLatin1Char(' ') + arguments;
    const QString entry = ConfigHome() + QStringLiteral("/autostart/") + name + ".desktop";
    WriteFile(entry,
              Entry(name, exec,
                    {QStringLiteral("Path=") + Escaped(QFileInfo(target).absolutePath() + '/'),
                     QStringLiteral("X-GNOME-Autostart-enabled=true")}));
}

void RemoveStartupShortcut(const QString& name) {
    QFile::remove(ConfigHome() + QStringLiteral("/autostart/") + name + QStringLiteral(".desktop"));
}

bool MigrateStartupEntry(const QString& programPath) {
    const QString legacy = ConfigHome() + QStringLiteral("/autostart/Tavrin.desktop");
    if (TIniFile(legacy)
            .ReadString(QStringLiteral("Desktop Entry"), QStringLiteral("Exec"), {})
            .isEmpty())
        return false;
    AddStartupShortcut(QStringLiteral("Quillery"), programPath, QString());
    QFile::remove(legacy);
    return true;
}

} // namespace DesktopEntries
