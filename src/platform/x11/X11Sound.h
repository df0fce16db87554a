#pragma once

#include "platform/Sound.h"

class TX11Sound : public ISound {
public:
    void Beep() override;
};
