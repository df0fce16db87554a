#include "core/Errors.h"
#include "core/config/DesktopEntries.h"
#include "core/config/IniFile.h"
#include "fakes/TestDir.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

class TestDesktopEntries : public QObject {
    Q_OBJECT
private slots:
    void init();
    void execArgument_data();
    void execArgument();
    void associateAndRemove();
    void anotherProgramsDefaultStays();
    void autostart();
    void legacyEntryIsMigrated_data();
    void legacyEntryIsMigrated();
    void hostileProgramPaths_data();
    void hostileProgramPaths();

private:
    // The entry a desktop would accept; checked by the freedesktop.org validator.
    void Valid(const QString& fileName);
    QString Data(const QString& path) const { return Home->File("data/" + path); }
    QString Conf(const QString& path) const { return Home->File("config/" + path); }
    std::unique_ptr<TTestDir> Home;
    const QString Program = "/opt/my apps/quillery";
};

void TestDesktopEntries::init() {
    Home = std::make_unique<TTestDir>();
    qputenv("XDG_DATA_HOME", Home->File("data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", Home->File("config").toLocal8Bit());
}

void TestDesktopEntries::Valid(const QString& fileName) {
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty())
        QSKIP("desktop-file-validate is not installed");
    QProcess check;
    check.start(validator, {fileName});
    QVERIFY(check.waitForFinished(10000));
    QVERIFY2(check.exitCode() == 0, check.readAllStandardOutput().constData());
}

void TestDesktopEntries::execArgument_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("arg");
    QTest::newRow("plain") << "/usr/bin/quillery"
                           << "\"/usr/bin/quillery\"";
    QTest::newRow("blank") << "/my apps/q"
                           << "\"/my apps/q\"";
    QTest::newRow("quote and dollar") << "/a\"$b"
                                      << "\"/a\\\\\"\\\\$b\"";
    QTest::newRow("backslash") << "/a\\b"
                               << "\"/a\\\\\\\\b\"";
    QTest::newRow("percent") << "/100%/q"
                             << "\"/100%%/q\"";
}

void TestDesktopEntries::execArgument() {
    QFETCH(QString, path);
    QFETCH(QString, arg);
    QCOMPARE(DesktopEntries::ExecArgument(path), arg);
}

void TestDesktopEntries::associateAndRemove() {
    QDir().mkpath(Conf(""));
    TTestDir::Write(Conf("mimeapps.list"), "[Added Associations]\ntext/plain=editor.desktop;\n");
    const QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\"/>";
    DesktopEntries::AssociateFile("Quillery", true, Program, svg);
    const QByteArray package = TTestDir::Read(Data("mime/packages/Quillery.xml"));
    // The program's icon on the entry and on .clp files.
    QVERIFY(package.contains("<icon name=\"application-x-quillery-clip-list\"/>"));
    const QString icons = "icons/hicolor/scalable/";
    QCOMPARE(TTestDir::Read(Data(icons + "apps/Quillery.svg")), svg);
    QCOMPARE(TTestDir::Read(Data(icons + "mimetypes/application-x-quillery-clip-list.svg")), svg);
    QVERIFY(package.contains("type=\"application/x-quillery-clip-list\""));
    QVERIFY(package.contains("<glob pattern=\"*.clp\"/>"));
    const TIniFile entry(Data("applications/Quillery.desktop"));
    QCOMPARE(entry.ReadString("Desktop Entry", "Exec", ""), "\"/opt/my apps/quillery\" %f");
    QCOMPARE(entry.ReadString("Desktop Entry", "MimeType", ""),
             "application/x-quillery-clip-list;");
    QCOMPARE(entry.ReadString("Desktop Entry", "Icon", ""), "Quillery");
    Valid(Data("applications/Quillery.desktop"));
    const TIniFile apps(Conf("mimeapps.list"));
    QCOMPARE(apps.ReadString("Default Applications", "application/x-quillery-clip-list", ""),
             "Quillery.desktop");
    QCOMPARE(apps.ReadString("Added Associations", "text/plain", ""), "editor.desktop;");
    // Associating again changes nothing; removing takes out ours only.
    DesktopEntries::AssociateFile("Quillery", true, Program);
    DesktopEntries::AssociateFile("Quillery", false, Program);
    QVERIFY(!QFile::exists(Data("mime/packages/Quillery.xml")));
    QVERIFY(!QFile::exists(Data("applications/Quillery.desktop")));
    QVERIFY(!QFile::exists(Data(icons + "apps/Quillery.svg")));
    const TIniFile after(Conf("mimeapps.list"));
    QVERIFY(!after.ValueExists("Default Applications", "application/x-quillery-clip-list"));
    QCOMPARE(after.ReadString("Added Associations", "text/plain", ""), "editor.desktop;");
    DesktopEntries::AssociateFile("Quillery", false, Program); // nothing there: no error
}

void TestDesktopEntries::anotherProgramsDefaultStays() {
    QDir().mkpath(Conf(""));
    TTestDir::Write(Conf("mimeapps.list"),
                    "[Default Applications]\napplication/x-quillery-clip-list=other.desktop\n");
    DesktopEntries::AssociateFile("Quillery", false, Program);
    QCOMPARE(TIniFile(Conf("mimeapps.list"))
                 .ReadString("Default Applications", "application/x-quillery-clip-list", ""),
             "other.desktop");
}

void TestDesktopEntries::autostart() {
    DesktopEntries::AddStartupShortcut("Quillery", Program, QString());
    const QString name = Conf("autostart/Quillery.desktop");
    const QByteArray entry = TTestDir::Read(name);
    QVERIFY2(entry.contains("\nExec=\"/opt/my apps/quillery\"\n"), entry.constData());
    QVERIFY2(entry.contains("\nPath=/opt/my apps/\n"), entry.constData());
    Valid(name);
    DesktopEntries::AddStartupShortcut("Quillery", Program, QString()); // made again: no error
    DesktopEntries::RemoveStartupShortcut("Quillery");
    QVERIFY(!QFile::exists(name));
    DesktopEntries::RemoveStartupShortcut("Quillery"); // a missing entry is no error
}

void TestDesktopEntries::legacyEntryIsMigrated_data() {
    QTest::addColumn<QByteArray>("legacy");
    QTest::addColumn<bool>("migrated");
    QTest::newRow("with a command") << QByteArray("[Desktop Entry]\nExec=/old/tavrin\n") << true;
    QTest::newRow("empty command") << QByteArray("[Desktop Entry]\nExec=\n") << false;
}

void TestDesktopEntries::legacyEntryIsMigrated() {
    QFETCH(QByteArray, legacy);
    QFETCH(bool, migrated);
    QDir().mkpath(Conf("autostart"));
    TTestDir::Write(Conf("autostart/Tavrin.desktop"), legacy);
    QCOMPARE(DesktopEntries::MigrateStartupEntry(Program), migrated);
    QCOMPARE(QFile::exists(Conf("autostart/Quillery.desktop")), migrated);
    QCOMPARE(QFile::exists(Conf("autostart/Tavrin.desktop")), !migrated);
}

void TestDesktopEntries::hostileProgramPaths_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("written");
    QTest::newRow("a line break and a command after it")
        << "/opt/a\nExec=touch /tmp/owned\n/quillery" << false;
    QTest::newRow("a tab") << "/opt/a\tb/quillery" << false;
    QTest::newRow("shell characters") << "/opt/a b\"c$d`e\\f%g'h;i&j|k<l>m(n)*?~/quillery" << true;
}

// A program path cannot smuggle a line of its own into an entry: one with control
// characters is refused with a clear message; any other is quoted so that the entry is valid
// and names exactly that path.
void TestDesktopEntries::hostileProgramPaths() {
    QFETCH(QString, path);
    QFETCH(bool, written);
    const QString autostart = Conf("autostart/Quillery.desktop");
    const QString association = Data("applications/Quillery.desktop");
    if (!written) {
        QVERIFY_THROWS_EXCEPTION(EQuillery,
                                 DesktopEntries::AddStartupShortcut("Quillery", path, {}));
        QVERIFY_THROWS_EXCEPTION(EQuillery, DesktopEntries::AssociateFile("Quillery", true, path));
        QVERIFY(!QFile::exists(autostart) && !QFile::exists(association));
        return;
    }
    DesktopEntries::AddStartupShortcut("Quillery", path, {});
    DesktopEntries::AssociateFile("Quillery", true, path);
    for (const QString& entry : {autostart, association}) {
        Valid(entry);
        QCOMPARE(TTestDir::Read(entry).count("\nExec="), 1);
    }
}

QTEST_GUILESS_MAIN(TestDesktopEntries)
#include "tst_DesktopEntries.moc"
