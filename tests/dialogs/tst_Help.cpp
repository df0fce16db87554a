#include "gui/dialogs/DesktopShell.h"
#include "gui/dialogs/HelpViewer.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

namespace {
const QString Folder = QStringLiteral(QUILLERY_SOURCE_DIR "/help");

// A page as the viewer shows it in language ("" for English): the translation where there is
// one, else the English page.
QString Read(const QString& file, const QString& language = QString()) {
    QFile translated(QDir(Folder).filePath(language + "/" + file));
    QFile english(QDir(Folder).filePath(file));
    QFile& f = !language.isEmpty() && translated.exists() ? translated : english;
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
QStringList Pages() {
    return QDir(Folder).entryList({"*.html"}, QDir::Files);
}
QStringList Captures(const QString& html, const QString& pattern) {
    QStringList found;
    for (auto it = QRegularExpression(pattern).globalMatch(html); it.hasNext();)
        found << it.next().captured(1);
    return found;
}
void Languages() {
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << QString();
    for (const char* language : {"German", "French", "Spanish"})
        QTest::newRow(language) << QString::fromLatin1(language);
}
} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void everyLinkResolves_data() { Languages(); }
    void everyLinkResolves();
    void everyPageIsListedAndNumbered_data() { Languages(); }
    void everyPageIsListedAndNumbered();
    void viewerCommands();
    void pagesInTheWindowsLanguage();
    void missingHelp();
};

// Links to pages and to places in them (page.html#name) all lead somewhere.
void TestHelp::everyLinkResolves() {
    QFETCH(QString, language);
    int links = 0;
    for (const QString& page : Pages()) {
        // Control pictures (the CR, LF and FF symbols) are in no shipped font: empty boxes.
        QVERIFY2(!Read(page, language)
                      .contains(QRegularExpression("&#x24[0-3][0-9A-Fa-f];|[\\x{2400}-\\x{243F}]")),
                 qPrintable(page));
        for (const QString& href : Captures(Read(page, language), "href=\"([^\"]+)\"")) {
            if (href.contains(':'))
                continue; // a web or mail address
            ++links;
            const QString file = href.section('#', 0, 0).isEmpty() ? page : href.section('#', 0, 0);
            const QString target = Read(file, language);
            QVERIFY2(!target.isEmpty(), qPrintable(page + " links to a missing " + file));
            const QString anchor = href.section('#', 1);
            if (!anchor.isEmpty())
                QVERIFY2(target.contains("name=\"" + anchor + "\""),
                         qPrintable(page + " links to a missing place " + href));
        }
    }
    QVERIFY(links > 20);
}

// The contents name every page once; each page has a title and keywords; the numbered topics
// the program asks for exist once each.
void TestHelp::everyPageIsListedAndNumbered() {
    QFETCH(QString, language);
    // A translation is of an English page, and says its language.
    const QDir translated(QDir(Folder).filePath(language));
    for (const QString& page : translated.entryList({"*.html"}, QDir::Files)) {
        if (language.isEmpty())
            break;
        QVERIFY2(Pages().contains(page), qPrintable(page + " has no English page"));
        QVERIFY2(!Read(page, language).contains("<html lang=\"en\">"), qPrintable(page));
    }
    const QStringList listed = Captures(Read("contents.html", language), "<a href=\"([^\"#:]+)\">");
    QStringList others = Pages();
    others.removeAll("contents.html");
    QCOMPARE(QSet<QString>(listed.begin(), listed.end()),
             QSet<QString>(others.begin(), others.end()));
    QCOMPARE(listed.size(), others.size());
    QMap<int, QString> topics;
    for (const QString& page : Pages()) {
        const QString html = Read(page, language);
        QVERIFY2(!Captures(html, "<title>([^<]+)</title>").isEmpty(), qPrintable(page));
        QVERIFY2(!Captures(html, "name=\"keywords\" content=\"([^\"]+)\"").isEmpty(),
                 qPrintable(page));
        for (const QString& topic : Captures(html, "name=\"topic\" content=\"(\\d+)\"")) {
            QVERIFY2(!topics.contains(topic.toInt()), qPrintable("topic " + topic + " twice"));
            topics.insert(topic.toInt(), page);
        }
    }
    QCOMPARE(topics.value(61), "about.html");
    QCOMPARE(topics.value(230), "software.html");
}

void TestHelp::viewerCommands() {
    THelpViewer viewer;
    viewer.Open(Folder);
    viewer.show();
    viewer.ShowContents();
    QCOMPARE(viewer.windowTitle(), "Help: Contents");
    QCOMPARE(viewer.Tabs->currentWidget(), viewer.Contents);
    QCOMPARE(viewer.Contents->topLevelItemCount(), Pages().size() - 1);

    viewer.ShowTopic(61);
    QCOMPARE(viewer.Page->source().fileName(), "about.html");
    QCOMPARE(viewer.windowTitle(), "Help: The About box");
    viewer.ShowTopic(230);
    QCOMPARE(viewer.Page->source().fileName(), "software.html");

    viewer.ShowKeywordSearch(QString());
    QCOMPARE(viewer.Tabs->currentIndex(), 1);
    QCOMPARE(viewer.Search->text(), QString());
    QCOMPARE(viewer.focusWidget(), viewer.Search);
    QVERIFY(viewer.Index->count() > 100);
    QTest::keyClicks(viewer.Search, "series p");
    QVERIFY(viewer.Index->currentItem());
    QCOMPARE(viewer.Index->currentItem()->text(), "series paste");
    QTest::keyClick(viewer.Search, Qt::Key_Return);
    QCOMPARE(viewer.Page->source().fileName(), "hotkeys.html");
    // Each entry once; "hot" finds the hot keys' own page first.
    QSet<QString> texts;
    for (int i = 0; i < viewer.Index->count(); ++i)
        QVERIFY2(!texts.contains(viewer.Index->item(i)->text()),
                 qPrintable(viewer.Index->item(i)->text()));
    for (int i = 0; i < viewer.Index->count(); ++i)
        texts.insert(viewer.Index->item(i)->text());
    viewer.ShowTopic(61);
    viewer.Search->clear();
    QTest::keyClicks(viewer.Search, "hot");
    QTest::keyClick(viewer.Search, Qt::Key_Return);
    QCOMPARE(viewer.Page->source().fileName(), "hotkeys.html");
    // Back to the page before; a web link goes to the program, which asks first.
    QVERIFY(viewer.Back->isEnabled());
    viewer.Back->click();
    QCOMPARE(viewer.Page->source().fileName(), "about.html");
    QStringList handed;
    viewer.OpenAddress = [&](const QString& address) { handed << address; };
    emit viewer.Page->anchorClicked(QUrl("https://www.example.org/"));
    QCOMPARE(handed, QStringList{"https://www.example.org/"});
    QCOMPARE(viewer.Page->source().fileName(), "about.html");

    viewer.ShowTopic(999);
    QVERIFY(viewer.Page->toPlainText().contains("no topic number 999"));
}

void TestHelp::missingHelp() {
    THelpViewer viewer;
    viewer.Open("/nonexistent/help");
    viewer.ShowContents();
    QVERIFY(viewer.Page->toPlainText().contains(
        "The help file /nonexistent/help/contents.html could not be found."));
    QCOMPARE(viewer.windowTitle(), "Help");
}

// The German window: German pages where they are translated, English ones elsewhere, also by
// a link; a change of language shows the open page in the new one.
void TestHelp::pagesInTheWindowsLanguage() {
    TDesktopShell shell;
    shell.SetHelpLanguage("German");
    shell.Help(Folder, THelpCommand::Topic, QString(), 61);
    THelpViewer* viewer = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<THelpViewer*>(window))
            viewer = found;
    QVERIFY(viewer);
    QCOMPARE(viewer->Page->source().toLocalFile(), Folder + "/German/about.html");
    QCOMPARE(viewer->windowTitle(), "Help: Das Fenster „Über“");
    QCOMPARE(viewer->Contents->topLevelItem(0)->text(0), "Erste Schritte");
    emit viewer->Page->anchorClicked(QUrl("options.html#rows"));
    QCOMPARE(viewer->Page->source().toLocalFile(), Folder + "/options.html");
    QCOMPARE(viewer->Page->source().fragment(), "rows");
    emit viewer->Page->anchorClicked(QUrl("contents.html"));
    QCOMPARE(viewer->Page->source().toLocalFile(), Folder + "/German/contents.html");
    QTest::keyClicks(viewer->Search, "Stichwortsuche");
    QTest::keyClick(viewer->Search, Qt::Key_Return);
    QCOMPARE(viewer->Page->source().toLocalFile(), Folder + "/German/helpmenu.html");

    shell.SetHelpLanguage("French");
    QCOMPARE(viewer->Page->source().toLocalFile(), Folder + "/French/helpmenu.html");
    QCOMPARE(viewer->Contents->topLevelItem(0)->text(0), "Premiers pas");
    shell.SetHelpLanguage("English"); // no folder of its own: the English pages
    QCOMPARE(viewer->Page->source().toLocalFile(), Folder + "/helpmenu.html");
    QCOMPARE(viewer->Contents->topLevelItem(0)->text(0), "Getting started");
}

QTEST_MAIN(TestHelp)
#include "tst_Help.moc"
