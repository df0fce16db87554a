#pragma once

#include <QtGlobal>

// Whether the list holds changes that are in no file yet, with a count of the changes made:
// a save that took its copy of the list knows, once its write has ended, whether the list
// changed meanwhile. Only a write that succeeded marks the list saved.
class TChangeFlag {
public:
    TChangeFlag& operator=(bool changed) {
        if (changed)
            ++Count;
        Changed = changed;
        return *this;
    }
    operator bool() const { return Changed; }
    quint64 Changes() const { return Count; }

private:
    bool Changed = false;
    quint64 Count = 0;
};
