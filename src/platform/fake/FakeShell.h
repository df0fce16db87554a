#pragma once

#include "platform/Shell.h"

#include <QList>
#include <QStringList>

// Records every help request and opened address; opening fails while Fail is set.
class TFakeShell : public IShell {
public:
    struct TRequest {
        QString HelpFile;
        THelpCommand Command;
        QString Keyword;
        int Topic;
        bool operator==(const TRequest&) const = default;
    };
    void Help(const QString& helpFile, THelpCommand command, const QString& keyword,
              int topic) override {
        Requests.append({helpFile, command, keyword, topic});
    }
    bool OpenAddress(const QString& address) override {
        Opened.append(address);
        return !Fail;
    }
    void SetLinkHandler(std::function<void(const QString&)> handler) override {
        LinkHandler = std::move(handler);
    }
    std::function<void(const QString&)> LinkHandler;
    void SetTranslator(std::function<QString(const QString&)>) override {}
    void SetHelpLanguage(const QString& language) override { HelpLanguage = language; }
    QString HelpLanguage;
    QList<TRequest> Requests;
    QStringList Opened;
    bool Fail = false;
};
