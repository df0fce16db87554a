// The floor for the memory figure: a Qt Widgets main window with a menu bar and a status
// line, and nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    window.resize(340, 300);
    window.show();
    return app.exec();
}
