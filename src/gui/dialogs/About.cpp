#include "About.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>

const QString TAboutBox::WebAddress = QStringLiteral("https://www.vendrel.example/");

namespace {

// An SVG picture drawn at the screen's own resolution, so it is sharp at any scale.
class TPicture : public QWidget {
public:
    TPicture(const QString& svg, QWidget* parent) : QWidget(parent), Renderer(svg) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        Renderer.render(&p, rect());
    }

private:
    QSvgRenderer Renderer;
};

QFont Arial(int pixels, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel* Label(QWidget* parent, const char* name, const QString& text, QPoint at, const QFont& font,
              const QColor& color = Qt::black) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->move(at);
    label->adjustSize();
    return label;
}

} // namespace

TAboutBox::TAboutBox(std::function<void()> openSite, std::function<void()> help)
    : QDialog(nullptr), OpenSite(std::move(openSite)), ShowHelp(std::move(help)) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Quillery"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(364, 221);
    setFont(Arial(12, true));
    setModal(true);

    Image1 = new TPicture(QStringLiteral(":/pictures/product.svg"), this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 124, 161);
    Image3 = new TPicture(QStringLiteral(":/pictures/quillery.svg"), this);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setGeometry(48, 72, 32, 32);
    for (QWidget* picture : {Image1, Image3})
        picture->installEventFilter(this);

    Label2 = Label(this, "Label2", QStringLiteral("Vendrel\u00ae"), {128, 0}, Arial(12, true));
    ProductName =
        Label(this, "ProductName", QStringLiteral("Quillery\u2122"), {128, 16}, Arial(23, true));
    Version = Label(this, "Version", {}, {128, 56}, Arial(11, true));
    lblBuild = Label(this, "lblBuild", QStringLiteral("Build 3.000"), {128, 72}, Arial(11, false));
    Notice = Label(this, "Notice", QStringLiteral("Copyright \u00a9 2026 Vendrel. Free to use."),
                   {128, 128}, Arial(11, false));
    QFont link = Arial(11, false);
    link.setUnderline(true);
    Label1 = Label(this, "Label1", WebAddress, {128, 144}, link, QColor(0, 0, 0x80));
    Label1->setToolTip(WebAddress);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->installEventFilter(this);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel1->setGeometry(0, 170, 361, 2);
    lblResFree = Label(this, "lblResFree", QStringLiteral("Available System Resources: "),
                       {96, 180}, Arial(11, false));
    lblResFree->hide();

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(288, 192, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    FormCreate();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TAboutBox::FormCreate() {
    Version->setText(QStringLiteral("Version ") + QLocale().toString(VersionNumber, 'f', 2));
    Version->adjustSize();
}

void TAboutBox::ProgramIconDblClick() {
    lblResFree->setText(QStringLiteral("Written by the Quillery team"));
    lblResFree->adjustSize();
    lblResFree->show();
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && watched != Label1) {
        ProgramIconDblClick();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && watched == Label1) {
        OpenSite();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        ShowHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}
