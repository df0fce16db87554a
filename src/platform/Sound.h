#pragma once

// The system's default sound.
class ISound {
public:
    virtual ~ISound() = default;
    virtual void Beep() = 0;
};
