// The real program as a screen reader sees it: its accessible objects over AT-SPI, read by
// the accessibility library a screen reader uses, in English and in German.
#include "Desktop.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using namespace Desktop;

namespace {
using TObjects = QList<QPair<QString, QString>>; // role, name

TObjects Read(const QStringList& args = {}) {
    QProcess reader;
    reader.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    reader.start("/usr/bin/python3",
                 QStringList{QUILLERY_SOURCE_DIR "/tests/x11/helpers/a11y_tree.py"} + args);
    if (!reader.waitForFinished(30000) || reader.exitCode() != 0)
        return {};
    TObjects objects;
    for (const QByteArray& line : reader.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() == 2)
            objects.append({QString::fromUtf8(fields[0]), QString::fromUtf8(fields[1])});
    }
    return objects;
}

QStringList Named(const TObjects& objects, const QString& role) {
    QStringList names;
    for (const auto& [r, name] : objects) {
        if (r == role)
            names << name;
    }
    return names;
}

// Every control a user works with says what it is: a name with a letter in it ("..." is none).
QStringList Unnamed(const TObjects& objects) {
    static const QStringList controls{"push button", "check box", "radio button", "text",
                                      "spin button", "combo box", "table",        "toggle button"};
    static const QRegularExpression letter(QStringLiteral("\\p{L}"));
    QStringList unnamed;
    for (const auto& [role, name] : objects) {
        if (controls.contains(role) && !name.contains(letter))
            unnamed << role + ": " + name;
    }
    return unnamed;
}
} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyControlIsNamed_data();
    void everyControlIsNamed();
    void cleanup();

private:
    QProcess Bus;
    QProcess Main;
};

// A session bus of the test's own: the accessibility bus starts on it when asked.
void TestAccessibility::initTestCase() {
    Bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    QVERIFY(Bus.waitForReadyRead(10000));
    qputenv("DBUS_SESSION_BUS_ADDRESS", Bus.readLine().trimmed());
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
}

void TestAccessibility::cleanupTestCase() {
    Bus.terminate();
    Bus.waitForFinished();
}

void TestAccessibility::everyControlIsNamed_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("configure"); // the tool button, by its hint
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("browse"); // the options' "..." button
    QTest::newRow("English") << "English"
                             << "Configure Program"
                             << "Change Configuration"
                             << "Select clip list file";
    QTest::newRow("German") << "German"
                            << "Programm einrichten"
                            << "Einstellungen ändern"
                            << "Cliplisten-Datei auswählen";
}

void TestAccessibility::everyControlIsNamed() {
    QFETCH(QString, language);
    QFETCH(QString, configure);
    QFETCH(QString, dialog);
    QFETCH(QString, browse);
    TTestDir dir;
    TTestDir::Write(dir.File("list.clp"), Clp({"first clip"}));
    QVERIFY(QFile::copy(QUILLERY_BIN_DIR "/" + language + ".lng", dir.File(language + ".lng")));
    const qint64 pid =
        StartQuillery(Main, dir,
                      "[Options]\nSplash=0\nTray=0\nRows=5\nLanguage=" + language.toUtf8() +
                          "\nDefaultFile=" + dir.File("list.clp").toUtf8() + "\n");
    QVERIFY(!WaitForWindow(pid, "Quillery").isEmpty());

    const TObjects window = Read();
    QVERIFY(!window.isEmpty());
    QCOMPARE(Unnamed(window), QStringList());
    QVERIFY2(Named(window, "push button").contains(configure), qPrintable(configure));
    QCOMPARE(Named(window, "push button").size(), 8); // the tool bar's, each with its hint
    QCOMPARE(Named(window, "table cell"), QStringList{"first clip"});

    const TObjects options = Read({"--press", configure});
    QCOMPARE(Named(options, "dialog"), QStringList{dialog});
    QCOMPARE(Unnamed(options), QStringList());
    QVERIFY2(Named(options, "push button").contains(browse), qPrintable(browse));
}

void TestAccessibility::cleanup() {
    Main.kill();
    Main.waitForFinished();
}

QTEST_GUILESS_MAIN(TestAccessibility)
#include "tst_Accessibility.moc"
