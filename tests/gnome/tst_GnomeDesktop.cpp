// The real program on a real GNOME compositor (mutter, headless), which offers clipboard
// managers no data control: copies recorded through its mirror of the clipboard in XWayland.
#include "wayland/DesktopChecks.h"

#include <QtTest>

class TestGnomeDesktop : public QObject {
    Q_OBJECT
private slots:
    void firstCopyAfterStartIsRecorded_data() { DesktopChecks::Copiers(); }
    void firstCopyAfterStartIsRecorded();
    void clipPutBackIsReadByWaylandPrograms() { DesktopChecks::ClipPutBackIsRead(); }
};

void TestGnomeDesktop::firstCopyAfterStartIsRecorded() {
    QFETCH(bool, x11);
    DesktopChecks::FirstCopiesAfterStart(x11, x11 ? 3 : 8);
}

QTEST_GUILESS_MAIN(TestGnomeDesktop)
#include "tst_GnomeDesktop.moc"
