// Renders an SVG picture to a PNG of the given size, for the icon theme's fixed-size folders.
// Usage: render_icon IN.svg SIZE OUT.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: render_icon IN.svg SIZE OUT.png\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const int size = QString::fromLocal8Bit(argv[2]).toInt();
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid() || size <= 0)
        return 1;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    svg.render(&p);
    p.end();
    return image.save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
}
