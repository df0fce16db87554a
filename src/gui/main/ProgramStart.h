#pragma once

#include "platform/Platform.h"

#include <QString>

class QApplication;
class TTerminationSignals;

// Asks before a second copy runs; false when the user answers No.
bool MayStartAnotherCopy(IPrompts& prompts);

// Everything after the single-instance check: settings, splash, main window, the file named
// on the command line, the actions of later starts, and the message loop. Returns the
// program's exit code. A termination that came before ends the program as soon as its window
// exists.
int RunQuillery(QApplication& app, TPlatform platform, const QString& fileArgument,
                TTerminationSignals& terminations);
