#pragma once

#include "Clipboard.h"
#include "HotKeys.h"
#include "PasteTarget.h"
#include "Prompts.h"
#include "Shell.h"
#include "Sound.h"

// The desktop services the main window uses, handed to it when it is built.
struct TPlatform {
    IClipboard& Clipboard;
    ISound& Sound;
    IPrompts& Prompts;
    IHotKeys& HotKeys;
    IPasteTarget& PasteTarget;
    IShell& Shell;
};
