#pragma once

#include <QByteArray>
#include <QList>

// A clip list with what a launcher's menu must show well, and the lines --list gives for it.
namespace LauncherList {

inline QList<QByteArray> Clips() {
    return {"two\r\nlines", "", QByteArray(300, 'x'), "caf\xe9 cr\xe8me", "\x1b[31mred\tcell"};
}

// The empty row 1 is left out; the numbers are the rows'.
inline QByteArray Listed() {
    return "0\ttwo \u21B5 lines\n"
           "2\t" +
           QByteArray(199, 'x') +
           "\u2026\n"
           "3\tcaf\u00e9 cr\u00e8me\n"
           "4\t\u241b[31mred cell\n";
}

// A launcher's whole pipeline, with grep for the menu; $Q is the program. It puts clip 3 on
// the clipboard, which other programs read as Picked().
inline const char* Pipeline() {
    return "\"$Q\" --list | grep -F 'crème' | cut -f1 | xargs -r \"$Q\" --copy";
}
inline QByteArray Picked() {
    return "caf\u00e9 cr\u00e8me";
}

} // namespace LauncherList
