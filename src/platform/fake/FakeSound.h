#pragma once

#include "platform/Sound.h"

class TFakeSound : public ISound {
public:
    void Beep() override { ++Beeps; }
    int Beeps = 0;
};
