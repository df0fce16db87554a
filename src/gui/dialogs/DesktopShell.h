#pragma once

#include "platform/Shell.h"

#include <QPointer>

class THelpViewer;

// The help window of our own, and the desktop's programs for web pages and mail.
class TDesktopShell : public IShell {
public:
    ~TDesktopShell() override;
    void Help(const QString& helpFile, THelpCommand command, const QString& keyword,
              int topic) override;
    bool OpenAddress(const QString& address) override;
    void SetLinkHandler(std::function<void(const QString&)> handler) override;
    void SetTranslator(std::function<QString(const QString&)> tr) override;
    void SetHelpLanguage(const QString& language) override;

private:
    void Reload(); // the help's pages and labels in the language of the moment
    QPointer<THelpViewer> Viewer;
    std::function<void(const QString&)> LinkHandler;
    std::function<QString(const QString&)> Translator;
    QString HelpFolder, HelpLanguage;
};
