#pragma once

#include <QString>

// How a part of the window tells the user something: in the window's language, on its status
// line.
class IUserMessages {
public:
    virtual QString MessageText(const QString& text) const = 0; // the English text is its key
    virtual void ShowStatus(const QString& text) = 0;           // as it stands

protected:
    ~IUserMessages() = default;
};
