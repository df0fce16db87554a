#include "HelpViewer.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString Meta(const QString& html, const QString& name) {
    const QRegularExpression meta(
        QStringLiteral("<meta\\s+name=\"%1\"\\s+content=\"([^\"]*)\"").arg(name),
        QRegularExpression::CaseInsensitiveOption);
    return meta.match(html).captured(1);
}

} // namespace

THelpViewer::THelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpViewer"));
    resize(860, 600);
    Tabs = new QTabWidget;
    Contents = new QTreeWidget;
    Contents->setHeaderHidden(true);
    Contents->setRootIsDecorated(false);
    Tabs->addTab(Contents, QString());
    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    Search = new QLineEdit;
    Search->setClearButtonEnabled(true);
    Index = new QListWidget;
    indexLayout->addWidget(Search);
    indexLayout->addWidget(Index);
    Tabs->addTab(indexPage, QString());
    Page = new QTextBrowser;
    Page->setOpenLinks(false); // pages here, web and mail links through the program
    connect(Page, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https") ||
            url.scheme() == QLatin1String("mailto")) {
            if (OpenAddress)
                OpenAddress(url.toString());
            return;
        }
        // By name: the page may be in the language's folder or in English.
        ShowPage(url.fileName().isEmpty() ? CurrentPage() : url.fileName(), url.fragment());
    });
    auto* split = new QSplitter;
    split->addWidget(Tabs);
    split->addWidget(Page);
    split->setStretchFactor(1, 3);
    split->setSizes({260, 600});
    Back = new QToolButton;
    Back->setArrowType(Qt::LeftArrow);
    Back->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    Back->setEnabled(false);
    Forward = new QToolButton;
    Forward->setArrowType(Qt::RightArrow);
    Forward->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    Forward->setEnabled(false);
    connect(Back, &QToolButton::clicked, Page, &QTextBrowser::backward);
    connect(Forward, &QToolButton::clicked, Page, &QTextBrowser::forward);
    connect(Page, &QTextBrowser::backwardAvailable, Back, &QWidget::setEnabled);
    connect(Page, &QTextBrowser::forwardAvailable, Forward, &QWidget::setEnabled);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Back);
    buttons->addWidget(Forward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(split);

    connect(Contents, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { ShowPage(item->data(0, Qt::UserRole).toString()); });
    connect(Contents, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { ShowPage(item->data(0, Qt::UserRole).toString()); });
    connect(Search, &QLineEdit::textEdited, this, &THelpViewer::SearchChanged);
    auto openKeyword = [this] {
        if (QListWidgetItem* item = Index->currentItem())
            ShowPage(item->data(Qt::UserRole).toString());
    };
    connect(Search, &QLineEdit::returnPressed, this, openKeyword);
    connect(Index, &QListWidget::itemActivated, this, openKeyword);
    connect(Page, &QTextBrowser::sourceChanged, this, &THelpViewer::ShowTitle);
    Retranslate(nullptr);
}

void THelpViewer::Retranslate(const std::function<QString(const QString&)>& tr) {
    Translate = tr;
    Tabs->setTabText(0, Tr(QStringLiteral("&Contents")));
    Tabs->setTabText(1, Tr(QStringLiteral("&Index")));
    Search->setPlaceholderText(Tr(QStringLiteral("Type a keyword")));
    Back->setText(Tr(QStringLiteral("Back")));
    Back->setAccessibleName(Back->text());
    Forward->setText(Tr(QStringLiteral("Forward")));
    Forward->setAccessibleName(Forward->text());
    ShowTitle(Page->source());
}

void THelpViewer::ShowTitle(const QUrl& url) {
    // The desktop adds the program's name after it.
    const QString title = Pages.value(url.fileName()).Title;
    const QString help = Tr(QStringLiteral("Help"));
    setWindowTitle(url.isEmpty()
                       ? help
                       : help + QStringLiteral(": ") + (title.isEmpty() ? url.fileName() : title));
}

THelpViewer::TPage THelpViewer::ReadPage(const QString& fileName) {
    QFile file(fileName);
    TPage page{QFileInfo(fileName).fileName(), fileName, {}, {}, 0};
    if (!file.open(QIODevice::ReadOnly))
        return page;
    const QString html = QString::fromUtf8(file.readAll());
    const QRegularExpression title(QStringLiteral("<title>([^<]*)</title>"),
                                   QRegularExpression::CaseInsensitiveOption);
    page.Title = title.match(html).captured(1).trimmed();
    for (const QString& k : Meta(html, QStringLiteral("keywords")).split(QLatin1Char(',')))
        if (!k.trimmed().isEmpty())
            page.Keywords << k.trimmed();
    page.Topic = Meta(html, QStringLiteral("topic")).toInt();
    return page;
}

void THelpViewer::Open(const QString& folder, const QString& language) {
    Folder = folder;
    Pages.clear();
    QStringList folders{folder};
    if (!language.isEmpty() && !language.contains(u'/') && !language.startsWith(u'.'))
        folders << QDir(folder).filePath(language); // read last: its pages win
    for (const QString& from : std::as_const(folders)) {
        const QDir dir(from);
        for (const QString& name : dir.entryList({QStringLiteral("*.html")}, QDir::Files))
            Pages.insert(name, ReadPage(dir.filePath(name)));
    }
    FillContents();
    FillIndex();
}

QString THelpViewer::CurrentPage() const {
    return Page->source().fileName();
}

void THelpViewer::FillContents() {
    Contents->clear();
    QFile file(Pages.value(QString::fromLatin1(ContentsPage)).Path);
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return;
    const QString html = QString::fromUtf8(file.readAll());
    const QRegularExpression link(QStringLiteral("<a href=\"([^\"#:]+\\.html)\">([^<]*)</a>"));
    for (auto it = link.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        auto* item = new QTreeWidgetItem(Contents, {m.captured(2)});
        item->setData(0, Qt::UserRole, m.captured(1));
        item->setToolTip(0, m.captured(2));
    }
    // Wide enough for the longest title, within reason.
    int widest = 0;
    for (int i = 0; i < Contents->topLevelItemCount(); ++i)
        widest = std::max(
            widest, Contents->fontMetrics().horizontalAdvance(Contents->topLevelItem(i)->text(0)));
    Tabs->setMinimumWidth(std::min(widest + 48, 420));
}

void THelpViewer::FillIndex() {
    Index->clear();
    QList<QPair<QString, QString>> entries;
    for (const TPage& page : std::as_const(Pages))
        for (const QString& keyword : page.Keywords)
            entries.append({keyword, page.File});
    // A keyword that several pages name is listed once a page, each with the page's title.
    QMap<QString, int> pagesOf;
    for (const auto& entry : std::as_const(entries))
        ++pagesOf[entry.first.toLower()];
    QList<QPair<QString, QString>> shown;
    for (const auto& [keyword, file] : std::as_const(entries)) {
        const QString title = Pages.value(file).Title;
        shown.append({pagesOf.value(keyword.toLower()) > 1 && !title.isEmpty()
                          ? QStringLiteral("%1 (%2)").arg(keyword, title)
                          : keyword,
                      file});
    }
    std::sort(shown.begin(), shown.end(), [](const auto& a, const auto& b) {
        return QString::compare(a.first, b.first, Qt::CaseInsensitive) < 0;
    });
    shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
    for (const auto& [text, file] : std::as_const(shown)) {
        auto* item = new QListWidgetItem(text, Index);
        item->setData(Qt::UserRole, file);
    }
}

void THelpViewer::SearchChanged(const QString& text) {
    // The first keyword that starts with the text, as a help index does.
    for (int i = 0; i < Index->count(); ++i) {
        if (Index->item(i)->text().startsWith(text.trimmed(), Qt::CaseInsensitive)) {
            Index->setCurrentRow(i);
            Index->scrollToItem(Index->item(i), QAbstractItemView::PositionAtTop);
            return;
        }
    }
    Index->setCurrentRow(-1);
}

void THelpViewer::ShowMissing(const QString& what) {
    Page->setHtml(QStringLiteral("<h2>Help is not available</h2><p>%1</p><p>The help pages "
                                 "belong in the folder <tt>%2</tt>. Reinstalling the program "
                                 "puts them back.</p>")
                      .arg(what.toHtmlEscaped(), Folder.toHtmlEscaped()));
    setWindowTitle(Tr(QStringLiteral("Help")));
}

void THelpViewer::ShowPage(const QString& file, const QString& place) {
    const QString path = Pages.value(file).Path;
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        ShowMissing(QStringLiteral("The help file %1 could not be found.")
                        .arg(QDir(Folder).filePath(file)));
        return;
    }
    QUrl url = QUrl::fromLocalFile(path);
    if (!place.isEmpty())
        url.setFragment(place);
    Page->setSource(url);
}

void THelpViewer::ShowContents() {
    Tabs->setCurrentWidget(Contents);
    ShowPage(QString::fromLatin1(ContentsPage));
}

void THelpViewer::ShowKeywordSearch(const QString& keyword) {
    Tabs->setCurrentIndex(1);
    Search->setText(keyword);
    SearchChanged(keyword);
    Search->setFocus();
    if (Page->source().isEmpty())
        ShowPage(QString::fromLatin1(ContentsPage));
}

void THelpViewer::ShowTopic(int topic) {
    for (const TPage& page : std::as_const(Pages)) {
        if (page.Topic == topic) {
            ShowPage(page.File);
            return;
        }
    }
    ShowMissing(QStringLiteral("The help has no topic number %1.").arg(topic));
}
