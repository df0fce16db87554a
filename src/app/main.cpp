#include "config/Config.h"
#include "dialogs/QtPrompts.h"
#include "main/fMain.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11Sound.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillery"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quillery"));
    QApplication::setQuitOnLastWindowClosed(true);

    const QString programDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    TConfig config(programDir);
    Config = &config;
    config.LoadFromIni();

    TX11Clipboard clipboard;
    TX11Sound sound;
    TQtPrompts prompts;
    int result = 0;
    {
        TQuilleryMainForm form(programDir, {clipboard, sound, prompts});
        prompts.SetOwner(&form);
        form.show();
        result = QApplication::exec();
    }
    Config = nullptr;
    return result;
}
