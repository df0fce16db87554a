#include "ProgramFolders.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace {

QString WithSlash(const QString& path) {
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

// Writable for this process; a read-only file system refuses even root.
bool Writable(const QString& dir) {
    return ::access(QFile::encodeName(dir).constData(), W_OK) == 0;
}

QString XdgHome(const char* variable, const QString& underHome) {
    const QString set = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(set) ? QDir::cleanPath(set) : QDir::homePath() + underHome;
}

QString UserFolder(const QString& home) {
    QString dir = WithSlash(home) + QStringLiteral("Quillery/");
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return dir;
}

} // namespace

QString TProgramFolders::DataHome() {
    return XdgHome("XDG_DATA_HOME", QStringLiteral("/.local/share"));
}

QString TProgramFolders::ConfigHome() {
    return XdgHome("XDG_CONFIG_HOME", QStringLiteral("/.config"));
}

TProgramFolders TProgramFolders::Portable(const QString& programDir) {
    QString dir = WithSlash(programDir);
    return {false, dir, dir, {dir}, dir + QStringLiteral("help")};
}

TProgramFolders TProgramFolders::Decide(const QString& programDir) {
    QString dir = WithSlash(programDir);
    const QString shipped = WithSlash(QDir::cleanPath(dir + QStringLiteral("../share/quillery")));
    const bool installedLayout = QFileInfo(shipped).isDir();
    if (QFileInfo::exists(dir + QStringLiteral("Quillery.Ini")) ||
        (Writable(dir) && !installedLayout))
        return Portable(dir);
    TProgramFolders folders;
    folders.Installed = true;
    folders.Settings = UserFolder(ConfigHome());
    folders.Data = UserFolder(DataHome());
    folders.Languages = {folders.Data, shipped};
    folders.Help = shipped + QStringLiteral("help");
    return folders;
}
