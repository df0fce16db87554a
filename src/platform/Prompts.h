#pragma once

#include <QFont>
#include <QString>

#include <functional>

enum class TButtons { Ok, OkCancel, YesNo };
// Closed: the box was shut with its window's close button, no button chosen.
enum class TAnswer { Ok, Cancel, Yes, No, Closed };

// An open or save dialog's settings, kept between uses as a dialog component keeps them.
// Filter is in the form "Description|pattern|Description|pattern".
struct TFileDialog {
    QString Filter;
    QString InitialDir;
    QString FileName;   // proposed before, chosen after
    QString DefaultExt; // added to a name typed without extension (save only)
};

// A font dialog's font: the font and its colour as 0x00BBGGRR (a high byte names a system
// colour, which the dialog keeps unless the user picks another).
struct TFontChoice {
    QFont Font;
    qint32 Color = 0;
};

// Every modal question, message and file dialog goes through here, so that tests can
// answer them.
class IPrompts {
public:
    virtual ~IPrompts() = default;
    // A plain message box titled with the application's title.
    virtual void ShowMessage(const QString& text) = 0;
    // The general error report: the error's text under the application's title.
    virtual void ShowError(const QString& text) = 0;
    virtual TAnswer Ask(const QString& caption, const QString& text, TButtons buttons) = 0;
    // Each returns the chosen file, also left in dialog.FileName, or empty when cancelled.
    virtual QString OpenFile(TFileDialog& dialog) = 0;
    // Asks before overwriting an existing file.
    virtual QString SaveFile(TFileDialog& dialog) = 0;
    // A font dialog with a colour button and an Apply button, which hands the selection so
    // far to apply while the dialog stays open. True when confirmed; font then holds the choice.
    virtual bool ChooseFont(TFontChoice& font, const QString& colorCaption,
                            const std::function<void(const TFontChoice&)>& apply) = 0;
    // Nobody can answer any more (the session ends): boxes and dialogs on the screen close as
    // if closed by the user (unless the display is gone), later questions are answered Closed
    // and dialogs cancelled at once, and messages go to standard error.
    virtual void Withdraw(bool closeOpenBoxes) = 0;
};
