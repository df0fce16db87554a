// Another program on the clipboard: owns it with the given content until someone else takes
// it over (or 30 s pass). Usage: clip_owner text TEXT | secret TEXT | image
// Prints "ready" once it owns the clipboard.
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString kind = argc > 1 ? argv[1] : "text";
    auto* data = new QMimeData;
    if (kind == "image") {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        data->setImageData(image);
    } else {
        data->setText(QString::fromUtf8(argc > 2 ? argv[2] : ""));
        if (kind == "secret")
            data->setData("x-kde-passwordManagerHint", "secret");
    }
    QClipboard* board = QGuiApplication::clipboard();
    board->setMimeData(data, QClipboard::Clipboard);
    QObject::connect(board, &QClipboard::dataChanged, [&] {
        if (!board->ownsClipboard())
            app.quit();
    });
    QTimer::singleShot(30000, &app, &QApplication::quit);
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
