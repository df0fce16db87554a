#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its files. Portable: its own folder holds Quillery.Ini, or may be
// written; everything lives there. Installed (a folder the user may not write, or one that
// sits in an installation, <prefix>/bin beside <prefix>/share/quillery): the settings in
// $XDG_CONFIG_HOME/Quillery, the lists and a user's own languages in $XDG_DATA_HOME/Quillery,
// the shipped languages and help in <prefix>/share/quillery. Every folder but Help ends
// with "/".
struct TProgramFolders {
    bool Installed = false;
    QString Settings;      // holds Quillery.Ini
    QString Data;          // clip lists, temporary lists, the open dialogs' first folder
    QStringList Languages; // searched in order: the user's folder first
    QString Help;          // the folder of the help pages

    // $XDG_DATA_HOME and $XDG_CONFIG_HOME where they are absolute paths; a relative one is
    // ignored, as the XDG rules say, for ~/.local/share and ~/.config. No trailing "/".
    static QString DataHome();
    static QString ConfigHome();

    static TProgramFolders Portable(const QString& programDir);
    // Decides from the folder and the environment, and makes the user's folders (0700).
    static TProgramFolders Decide(const QString& programDir);
};
