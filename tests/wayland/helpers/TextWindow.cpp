// A native Wayland program the user types in: a text field filling its window, whose text is
// written to a file after every change, and when the window gets the keyboard focus (the file
// is there once keys come to it).
#include <QApplication>
#include <QPlainTextEdit>
#include <QSaveFile>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "wayland");
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString file = QString::fromLocal8Bit(argv[1]);
    QPlainTextEdit edit;
    edit.setWindowTitle(QStringLiteral("Text Window"));
    const auto write = [&] {
        QSaveFile out(file);
        if (out.open(QIODevice::WriteOnly)) {
            out.write(edit.toPlainText().toUtf8());
            out.commit();
        }
    };
    QObject::connect(&edit, &QPlainTextEdit::textChanged, write);
    QObject::connect(&app, &QGuiApplication::applicationStateChanged, [&](Qt::ApplicationState s) {
        if (s == Qt::ApplicationActive)
            write();
    });
    edit.show();
    return QApplication::exec();
}
