#pragma once

#include "platform/HotKeys.h"

#include <QMap>
#include <QSet>

// Hot keys held in memory; Taken lists keys another program holds already.
class TFakeHotKeys : public IHotKeys {
    Q_OBJECT
public:
    using IHotKeys::IHotKeys;
    bool Available() const override { return !NoneHere; }
    bool NoneHere = false; // a desktop without global hot keys
    bool Register(int id, QChar key) override {
        if (Taken.contains(key.toUpper()))
            return false;
        for (auto it = Registered.cbegin(); it != Registered.cend(); ++it) {
            if (it.key() != id && it.value().toUpper() == key.toUpper())
                return false; // held by this program under another id
        }
        Registered.insert(id, key);
        return true;
    }
    void Unregister(int id) override {
        Registered.remove(id);
        Unregistered.append(id);
    }
    void Press(int id) { emit Pressed(id); }

    QSet<QChar> Taken;
    QMap<int, QChar> Registered;
    QList<int> Unregistered;
};
