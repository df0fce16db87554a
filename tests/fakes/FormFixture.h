#pragma once

#include "TestDir.h"
#include "core/config/Config.h"
#include "gui/grid/KXStringGrid.h"
#include "gui/main/fMain.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeHotKeys.h"
#include "platform/fake/FakePasteTarget.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeSound.h"
#include "platform/fake/ScriptedPrompts.h"

#include <memory>

// How the fixtures' clipboards announce the program's own writes (see ForEachClipboard.h).
inline TFakeClipboard::TOwnWrites FixtureOwnWrites = TFakeClipboard::TOwnWrites::Announced;

// A main window over fake desktop services in a fresh program directory. Adjust Settings
// before calling Create.
struct TFormFixture {
    TTestDir Dir;
    TConfig Settings{Dir.Path()};
    TFakeClipboard Clipboard{FixtureOwnWrites};
    TFakeSound Sound;
    TScriptedPrompts Prompts;
    TFakeHotKeys HotKeys;
    TFakePasteTarget PasteTarget;
    TFakeShell Shell;
    std::unique_ptr<TQuilleryMainForm> Form;

    TFormFixture() { Config = &Settings; }
    ~TFormFixture() {
        Form.reset();
        Config = nullptr;
    }
    TQuilleryMainForm& Create() {
        Form = std::make_unique<TQuilleryMainForm>(
            Dir.Path(), TPlatform{Clipboard, Sound, Prompts, HotKeys, PasteTarget, Shell});
        return *Form;
    }
    // Column 1 of rows 0..n-1.
    QList<QByteArray> Clips(int n) const {
        QList<QByteArray> out;
        for (int r = 0; r < n; ++r)
            out.append(Form->ClipAt(r));
        return out;
    }
};
