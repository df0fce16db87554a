// The program installed as a Linux desktop program: cmake --install into a prefix that is then
// read-only, run with a fresh home in the X session.
#include "Desktop.h"
#include "core/start/CommandLine.h"

#include <QDirIterator>
#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

#include <csignal>
#include <unistd.h>

using namespace Desktop;

namespace {
// Every file of a tree with its size and time, to tell whether anything was written.
QStringList Listing(const QString& root) {
    QStringList files;
    for (QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QFileInfo info(it.next());
        files << QString("%1 %2 %3")
                     .arg(info.filePath())
                     .arg(info.size())
                     .arg(info.lastModified().toMSecsSinceEpoch());
    }
    files.sort();
    return files;
}

int RunTool(const QString& program, const QStringList& args, QByteArray* output = nullptr) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    p.waitForFinished(120000);
    if (output)
        *output = p.readAll();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}
} // namespace

class TestInstalled : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void validatorsAcceptTheInstalledFiles();
    void runsFromAReadOnlyPrefix();
    void debianPackagePassesLintian();

private:
    TTestDir Dir;
    QString Prefix;
    bool Mounted = false;
};

void TestInstalled::initTestCase() {
    Prefix = Dir.File("prefix");
    QByteArray out;
    QCOMPARE(RunTool("cmake", {"--install", QUILLERY_BUILD_DIR, "--prefix", Prefix}, &out), 0);
    QVERIFY2(QFile::exists(Prefix + "/bin/quillery"), out.constData());
}

void TestInstalled::cleanupTestCase() {
    if (Mounted)
        RunTool("umount", {Prefix});
}

void TestInstalled::validatorsAcceptTheInstalledFiles() {
    for (const auto& [tool, args] : QList<QPair<QString, QStringList>>{
             {"desktop-file-validate",
              {Prefix + "/share/applications/dev.quillery.Quillery.desktop"}},
             {"appstreamcli",
              {"validate", "--no-net",
               Prefix + "/share/metainfo/dev.quillery.Quillery.metainfo.xml"}}}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(tool + " is not installed"));
        QByteArray out;
        QVERIFY2(RunTool(tool, args, &out) == 0, out.constData());
    }
    for (const char* icon :
         {"scalable/apps/dev.quillery.Quillery.svg", "48x48/apps/dev.quillery.Quillery.png",
          "256x256/apps/dev.quillery.Quillery.png"})
        QVERIFY(QFile::exists(Prefix + "/share/icons/hicolor/" + icon));
    QCOMPARE(QImage(Prefix + "/share/icons/hicolor/48x48/apps/dev.quillery.Quillery.png").size(),
             QSize(48, 48));
    // The manual page renders without a warning, with every action of --help in it.
    QProcess man;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("MANWIDTH", "80");
    man.setProcessEnvironment(env);
    man.start("man", {"--warnings", "-l", Prefix + "/share/man/man1/quillery.1.gz"});
    QVERIFY(man.waitForFinished(20000));
    QCOMPARE(man.exitCode(), 0);
    QCOMPARE(man.readAllStandardError(), QByteArray());
    const QByteArray page = man.readAllStandardOutput();
    const QRegularExpression option("--[a-z-]+");
    for (auto it = option.globalMatch(CommandLineUsage()); it.hasNext();) {
        const QString name = it.next().captured();
        QVERIFY2(page.contains(name.toUtf8()), qPrintable(name));
    }
    QVERIFY(page.contains("EXIT STATUS"));
    // Only the program: no test helper or benchmark is installed.
    QCOMPARE(QDir(Prefix + "/bin").entryList(QDir::Files), QStringList{"quillery"});
}

void TestInstalled::runsFromAReadOnlyPrefix() {
    // Root writes anywhere but on a read-only mount; where none can be made (a container
    // without the right), the installation's layout alone must keep the program out of it.
    if (::geteuid() == 0) {
        Mounted = RunTool("mount", {"--bind", Prefix, Prefix}) == 0;
        if (Mounted && RunTool("mount", {"-o", "remount,bind,ro", Prefix}) != 0)
            qInfo("the prefix stays writable for root: no read-only mount here");
    }
    if (!Mounted)
        QVERIFY(RunTool("chmod", {"-R", "a-w", Prefix}) == 0);
    const QStringList before = Listing(Prefix);
    const QString home = Dir.File("home");
    QVERIFY(QDir().mkpath(home));
    QVERIFY(QDir().mkpath(Dir.File("run")));
    QFile::setPermissions(Dir.File("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home + "/.config");
    env.insert("XDG_DATA_HOME", home + "/.local/share");
    env.insert("XDG_RUNTIME_DIR", Dir.File("run"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(Prefix + "/bin/quillery", {});
    QVERIFY(program.waitForStarted());
    const QString window = WaitForWindow(program.processId(), "Quillery");
    QVERIFY(!window.isEmpty());
    QTest::qWait(2500); // the splash window of a first start goes
    XclipCopy("installed copy");
    QTest::qWait(300);
    Run("xdotool", {"windowactivate", "--sync", window});
    // File > Language lists the shipped files: English, French, German, Spanish.
    Run("xdotool", {"key", "alt+f", "g"});
    QTest::qWait(300);
    Run("xdotool", {"key", "Down", "Return"});
    const QString settings = home + "/.config/Quillery/Quillery.Ini";
    QTRY_VERIFY_WITH_TIMEOUT(TTestDir::Read(settings).contains("Language=French"), 5000);
    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 0);

    QCOMPARE(TTestDir::Read(home + "/.local/share/Quillery/qlry0001.Clp"), Clp({"installed copy"}));
    for (const QString& dir : {home + "/.config/Quillery", home + "/.local/share/Quillery"})
        QCOMPARE(QFileInfo(dir).permissions() & (QFile::ReadOther | QFile::ReadGroup),
                 QFile::Permissions());
    QCOMPARE(Listing(Prefix), before); // nothing written into the installation
}

void TestInstalled::debianPackagePassesLintian() {
    if (QStandardPaths::findExecutable("lintian").isEmpty() ||
        QStandardPaths::findExecutable("dpkg-shlibdeps").isEmpty())
        QSKIP("lintian or dpkg-dev is not installed");
    const QString out = Dir.File("package");
    QByteArray said;
    QVERIFY2(RunTool("cpack",
                     {"-G", "DEB", "--config", QUILLERY_BUILD_DIR "/CPackConfig.cmake", "-B", out},
                     &said) == 0,
             said.constData());
    const QStringList debs = QDir(out).entryList({"quillery_*.deb"});
    QCOMPARE(debs.size(), 1);
    QVERIFY2(
        RunTool("lintian", {"--fail-on", "error,warning", QDir(out).filePath(debs[0])}, &said) == 0,
        said.constData());
}

QTEST_MAIN(TestInstalled)
#include "tst_Installed.moc"
