#include "fakes/FormFixture.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QtTest>

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void geometryFromSettings_data();
    void geometryFromSettings();
    void refreshOptions_data();
    void refreshOptions();
    void hugeRowsSettingIsBounded();
};

void TestMainWindow::geometryFromSettings_data() {
    QTest::addColumn<QRect>("wanted");
    QTest::addColumn<bool>("keptAsIs");
    QTest::newRow("defaults") << QRect(222, 158, 331, 297) << true;
    QTest::newRow("off every screen") << QRect(-10000, -10000, 331, 297) << false;
    QTest::newRow("larger than the screen") << QRect(0, 0, 100000, 100000) << false;
}

void TestMainWindow::geometryFromSettings() {
    QFETCH(QRect, wanted);
    QFETCH(bool, keptAsIs);
    TFormFixture f;
    f.Settings.Left = wanted.left();
    f.Settings.Top = wanted.top();
    f.Settings.Width = wanted.width();
    f.Settings.Height = wanted.height();
    auto& form = f.Create();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect placed(form.pos(), form.size());
    QVERIFY2(area.contains(placed.center()), "the window must be reachable");
    QVERIFY(placed.width() <= area.width() && placed.height() <= area.height());
    if (keptAsIs)
        QCOMPARE(placed, wanted);
}

void TestMainWindow::refreshOptions_data() {
    QTest::addColumn<bool>("gridEdit");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("color");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("plain, blue as BGR") << false << 0 << 0x00FF0000 << QColor(0, 0, 255);
    QTest::newRow("editing, bold italic underline strike")
        << true << 15 << 0x000000FF << QColor(255, 0, 0);
}

void TestMainWindow::refreshOptions() {
    QFETCH(bool, gridEdit);
    QFETCH(int, style);
    QFETCH(int, color);
    QFETCH(QColor, expected);
    TFormFixture f;
    f.Settings.GridEdit = gridEdit;
    f.Settings.FontStyle = style;
    f.Settings.FontColor = color;
    f.Settings.FontSize = 30;
    auto& form = f.Create();
    TKXStringGrid& grid = *form.StringGrid1;
    QCOMPARE(bool(grid.Options() & goEditing), gridEdit);
    QCOMPARE(bool(grid.Options() & goRowSelect), !gridEdit);
    QCOMPARE(grid.font().pointSize(), 30);
    QCOMPARE(grid.font().bold(), bool(style & 1));
    QCOMPARE(grid.font().italic(), bool(style & 2));
    QCOMPARE(grid.font().underline(), bool(style & 4));
    QCOMPARE(grid.font().strikeOut(), bool(style & 8));
    QCOMPARE(grid.palette().color(QPalette::Text), expected);
    // Rows grow with a large font so that text is never cut.
    QVERIFY(grid.verticalHeader()->defaultSectionSize() >= QFontMetrics(grid.font()).height());
}

void TestMainWindow::hugeRowsSettingIsBounded() {
    TFormFixture f;
    f.Settings.Rows = 2000000000;
    auto& form = f.Create();
    QCOMPARE(form.StringGrid1->RowCount(), 1000000);
}

QTEST_MAIN(TestMainWindow)
#include "tst_MainWindow.moc"
