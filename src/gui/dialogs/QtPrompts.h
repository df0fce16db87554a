#pragma once

#include "platform/Prompts.h"

#include <QStringList>

class QWidget;

// Real message boxes and file dialogs, owned by the given window when there is one.
class TQtPrompts : public IPrompts {
public:
    void SetOwner(QWidget* owner) { Owner = owner; }
    void ShowMessage(const QString& text) override;
    void ShowError(const QString& text) override;
    TAnswer Ask(const QString& caption, const QString& text, TButtons buttons) override;
    QString OpenFile(TFileDialog& dialog) override;
    QString SaveFile(TFileDialog& dialog) override;
    bool
    ChooseFont(TFontChoice& font, const QString& colorCaption,
               const std::function<void(const TFontChoice&)>& apply) override; // FontDialog.cpp

    void Withdraw(bool closeOpenBoxes) override;

    // "Text files (*.txt)|*.TXT|All files|*.*" as Qt name filters; patterns match any case.
    static QStringList NameFilters(const QString& filter);

private:
    QString Run(TFileDialog& dialog, bool save);
    // A box opened from a modal dialog belongs to that dialog, so it comes up over it.
    QWidget* Parent() const;
    QWidget* Owner = nullptr;
    bool Withdrawn = false;
};
