#include "DesktopShell.h"

#include "HelpViewer.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

TDesktopShell::~TDesktopShell() {
    delete Viewer;
}

void TDesktopShell::Help(const QString& helpFile, THelpCommand command, const QString& keyword,
                         int topic) {
    if (!Viewer) {
        Viewer = new THelpViewer;
        Viewer->OpenAddress = [this](const QString& address) {
            if (LinkHandler)
                LinkHandler(address);
            else
                OpenAddress(address);
        };
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect room = screen->availableGeometry();
            Viewer->resize(Viewer->size().boundedTo(room.size() * 0.9));
            Viewer->move(room.center() - Viewer->rect().center());
        }
    }
    HelpFolder = helpFile;
    Reload(); // the language may have changed since
    switch (command) {
    case THelpCommand::Contents:
        Viewer->ShowContents();
        break;
    case THelpCommand::KeywordSearch:
        Viewer->ShowKeywordSearch(keyword);
        break;
    case THelpCommand::Topic:
        Viewer->ShowTopic(topic);
        break;
    }
    Viewer->show();
    Viewer->raise();
    Viewer->activateWindow();
}

bool TDesktopShell::OpenAddress(const QString& address) {
    // gio tells whether a program took the address; Qt's own way only whether one started.
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (gio.isEmpty())
        return QDesktopServices::openUrl(QUrl(address));
    QProcess open;
    open.start(gio, {QStringLiteral("open"), address});
    return open.waitForFinished(15000) && open.exitStatus() == QProcess::NormalExit &&
           open.exitCode() == 0;
}

void TDesktopShell::SetLinkHandler(std::function<void(const QString&)> handler) {
    LinkHandler = std::move(handler);
}

void TDesktopShell::Reload() {
    Viewer->Retranslate(Translator);
    Viewer->Open(HelpFolder, HelpLanguage);
}

void TDesktopShell::SetHelpLanguage(const QString& language) {
    HelpLanguage = language;
    if (!Viewer || !Viewer->isVisible())
        return;
    const QString page = Viewer->CurrentPage();
    Reload();
    if (page.isEmpty())
        Viewer->ShowContents();
    else
        Viewer->ShowPage(page);
}

void TDesktopShell::SetTranslator(std::function<QString(const QString&)> tr) {
    Translator = std::move(tr);
}
