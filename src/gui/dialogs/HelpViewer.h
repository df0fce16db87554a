#pragma once

#include <QMap>
#include <QWidget>

#include <functional>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QToolButton;
class QUrl;
class QTreeWidget;

// The program's help: HTML pages in one folder, shown with their contents, a keyword index
// with a search box, and pages by topic number. Each page names its own keywords and topic:
// <meta name="keywords" content="a, b"> and <meta name="topic" content="61">; contents.html
// lists the pages in their order. A language's pages are in a folder of the language's name
// inside it; a page not translated there is shown in English.
class THelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit THelpViewer(QWidget* parent = nullptr);

    // Reads the pages' index anew; language: the language file's name ("German").
    void Open(const QString& folder, const QString& language = QString());
    QString CurrentPage() const; // its file name, "" before the first
    void ShowContents();
    void ShowKeywordSearch(const QString& keyword);
    void ShowTopic(int topic);
    void ShowPage(const QString& file, const QString& place = QString()); // by file name

    QTabWidget* Tabs = nullptr;
    QTreeWidget* Contents = nullptr;
    QLineEdit* Search = nullptr;
    QListWidget* Index = nullptr;
    QTextBrowser* Page = nullptr;
    QToolButton* Back = nullptr;
    QToolButton* Forward = nullptr;
    // A web or mail link in a page: handed here (the program asks before it goes online).
    std::function<void(const QString&)> OpenAddress;
    // The window's own labels in the program's language: tr turns an English text into it.
    void Retranslate(const std::function<QString(const QString&)>& tr);

    static constexpr const char* ContentsPage = "contents.html";

private:
    struct TPage {
        QString File, Path, Title;
        QStringList Keywords;
        int Topic = 0;
    };
    static TPage ReadPage(const QString& fileName);
    void ShowMissing(const QString& what);
    void FillContents();
    void FillIndex();
    void SearchChanged(const QString& text);

    QString Tr(const QString& text) const { return Translate ? Translate(text) : text; }
    void ShowTitle(const QUrl& url);
    std::function<QString(const QString&)> Translate;
    QString Folder;
    QMap<QString, TPage> Pages; // by file name
};
