#pragma once

#include "core/start/CommandLine.h"

#include <QString>

#include <cstdio>
#include <functional>

// The second start's end of the command channel: hands the action to the running instance,
// writes its output to out and its complaint to err, and returns the exit status (0 done,
// 1 no instance or the action failed). starting says whether an instance is on its way up
// (its socket not there yet): it is then waited for.
int SendAction(const TCommandLine& command, const QString& socketPath,
               const std::function<bool()>& starting, std::FILE* in, std::FILE* out,
               std::FILE* err);
