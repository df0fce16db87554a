// A native Wayland program the user types in: a text field filling its window, whose text is
// written to a file after every change.
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
    QObject::connect(&edit, &QPlainTextEdit::textChanged, [&] {
        QSaveFile out(file);
        if (out.open(QIODevice::WriteOnly)) {
            out.write(edit.toPlainText().toUtf8());
            out.commit();
        }
    });
    edit.show();
    return QApplication::exec();
}
