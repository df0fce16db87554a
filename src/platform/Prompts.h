#pragma once

#include <QString>

enum class TButtons { Ok, OkCancel, YesNo };
enum class TAnswer { Ok, Cancel, Yes, No };

// Every modal question and message goes through here, so that tests can answer them.
class IPrompts {
public:
    virtual ~IPrompts() = default;
    // A plain message box titled with the application's title.
    virtual void ShowMessage(const QString& text) = 0;
    // The general error report: the error's text under the application's title.
    virtual void ShowError(const QString& text) = 0;
    virtual TAnswer Ask(const QString& caption, const QString& text, TButtons buttons) = 0;
};
