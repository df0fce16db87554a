#pragma once

#include "Clipboard.h"
#include "Prompts.h"
#include "Sound.h"

// The desktop services the main window uses, handed to it when it is built.
struct TPlatform {
    IClipboard& Clipboard;
    ISound& Sound;
    IPrompts& Prompts;
};
