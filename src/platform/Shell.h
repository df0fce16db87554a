#pragma once

#include <QString>

#include <functional>

enum class THelpCommand { Contents, KeywordSearch, Topic };

// The desktop's viewers: the help viewer over the program's help, and the programs that open
// web pages and mail links.
class IShell {
public:
    virtual ~IShell() = default;
    // helpFile: the folder of the help pages. keyword: the search box's text for a keyword
    // search; topic: the page's number for a topic.
    virtual void Help(const QString& helpFile, THelpCommand command, const QString& keyword,
                      int topic) = 0;
    // A web address or a mailto: link; false when the desktop could not open it.
    virtual bool OpenAddress(const QString& address) = 0;
    // Where a web or mail link in the help goes (the program asks before it goes online).
    virtual void SetLinkHandler(std::function<void(const QString&)> handler) = 0;
    // Turns the help window's own English labels into the program's language.
    virtual void SetTranslator(std::function<QString(const QString&)> tr) = 0;
    // The program's language (its language file's name): the help's pages come in it where
    // they are translated, at once in an open help window too.
    virtual void SetHelpLanguage(const QString& language) = 0;
};
