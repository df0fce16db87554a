#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What a start of the program asks for: its window (with a list file to open), or one action
// for the instance that runs already.
enum class TAction { None, SeriesPaste, Paste, Toggle, Copy, Add, Print, List, Help };

struct TCommandLine {
    TAction Action = TAction::None;
    int Number = 0; // the N of --paste, --copy and --print
    QString File;   // with no action: the list file to open
    QString Error;  // not empty: the arguments make no sense
};

// arguments[0] is the program. Arguments that begin with "--" are actions; anything else,
// or what follows "--", is the list file.
TCommandLine ParseCommandLine(const QStringList& arguments);

// The action's option without its dashes ("series-paste"), and back; None for an unknown name.
QByteArray ActionName(TAction action);
TAction ActionNamed(const QByteArray& name);
// Actions that take a number.
bool TakesNumber(TAction action);
// The numbers an action takes: 0 to 9 for --paste, any clip's for --copy and --print, none
// (0) for the others.
int MaxNumber(TAction action);

// The manual page shown by --help and after bad arguments.
QString CommandLineUsage();
