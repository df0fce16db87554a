#pragma once

#include "core/config/Config.h"
#include "gui/main/fMain.h"
#include "platform/fake/FakeHotKeys.h"
#include "platform/fake/FakePasteTarget.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeSound.h"
#include "platform/fake/ScriptedPrompts.h"

#include <QTemporaryDir>

#include <optional>

// The main window in a folder of its own, with the given clipboard and fakes for the other
// services, holding up to `rows` clips.
template <class Clipboard> struct TBenchForm {
    explicit TBenchForm(int rows) : Settings(Dir.path() + "/") {
        Settings.Rows = rows;
        Config = &Settings;
        Form.emplace(Dir.path() + "/",
                     TPlatform{Board, Sound, Prompts, HotKeys, PasteTarget, Shell});
        Form->show();
    }
    ~TBenchForm() {
        Form.reset();
        Config = nullptr;
    }
    TQuilleryMainForm& operator*() { return *Form; }
    TQuilleryMainForm* operator->() { return &*Form; }

    QTemporaryDir Dir;
    TConfig Settings;
    Clipboard Board;
    TFakeSound Sound;
    TScriptedPrompts Prompts;
    TFakeHotKeys HotKeys;
    TFakePasteTarget PasteTarget;
    TFakeShell Shell;
    std::optional<TQuilleryMainForm> Form;
};
