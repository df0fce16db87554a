#include "core/config/ProgramFolders.h"
#include "fakes/TestDir.h"

#include <QDir>
#include <QtTest>

#include <sys/mount.h>
#include <unistd.h>

class TestProgramFolders : public QObject {
    Q_OBJECT
private slots:
    void init();
    void rule_data();
    void rule();
    void readOnlyFolderIsInstalled();
    void relativeXdgFoldersAreIgnored();

private:
    std::unique_ptr<TTestDir> Tree;
};

void TestProgramFolders::init() {
    Tree = std::make_unique<TTestDir>();
    qputenv("XDG_CONFIG_HOME", Tree->File("home/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", Tree->File("home/data").toLocal8Bit());
}

void TestProgramFolders::rule_data() {
    QTest::addColumn<bool>("layout"); // prefix/bin beside prefix/share/quillery
    QTest::addColumn<bool>("ini");    // the program's folder holds Quillery.Ini
    QTest::addColumn<bool>("installed");
    QTest::newRow("a writable folder") << false << false << false;
    QTest::newRow("a folder with its settings") << false << true << false;
    QTest::newRow("an installation") << true << false << true;
    QTest::newRow("an installation with its own settings") << true << true << false;
}

void TestProgramFolders::rule() {
    QFETCH(bool, layout);
    QFETCH(bool, ini);
    QFETCH(bool, installed);
    const QString bin = Tree->File("prefix/bin/");
    QVERIFY(QDir().mkpath(bin));
    if (layout)
        QVERIFY(QDir().mkpath(Tree->File("prefix/share/quillery")));
    if (ini)
        TTestDir::Write(bin + "Quillery.Ini", "[Options]\n");
    const TProgramFolders folders = TProgramFolders::Decide(Tree->File("prefix/bin"));
    QCOMPARE(folders.Installed, installed);
    if (!installed) {
        QCOMPARE(folders.Settings, bin);
        QCOMPARE(folders.Data, bin);
        QCOMPARE(folders.Languages, QStringList{bin});
        QCOMPARE(folders.Help, bin + "help");
        QVERIFY(!QFile::exists(Tree->File("home"))); // made only when used
        return;
    }
    const QString share = Tree->File("prefix/share/quillery/");
    QCOMPARE(folders.Settings, Tree->File("home/config/Quillery/"));
    QCOMPARE(folders.Data, Tree->File("home/data/Quillery/"));
    QCOMPARE(folders.Languages, QStringList({folders.Data, share}));
    QCOMPARE(folders.Help, share + "help");
    for (const QString& dir : {folders.Settings, folders.Data}) {
        QVERIFY(QFileInfo(dir).isDir());
        QCOMPARE(QFileInfo(dir).permissions() &
                     (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
                 QFile::Permissions());
    }
}

// A folder the process may not write: on a read-only file system even root may not.
void TestProgramFolders::readOnlyFolderIsInstalled() {
    const QString bin = Tree->File("bin");
    QVERIFY(QDir().mkpath(bin));
    bool mounted = false;
    if (::geteuid() == 0) {
        const QByteArray path = QFile::encodeName(bin);
        mounted = ::mount("tmpfs", path.constData(), "tmpfs", MS_RDONLY, "size=16k") == 0;
    } else {
        QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner);
    }
    if (::geteuid() == 0 && !mounted)
        QSKIP("no read-only file system can be mounted here");
    const TProgramFolders folders = TProgramFolders::Decide(bin);
    if (mounted)
        ::umount(QFile::encodeName(bin).constData());
    else
        QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(folders.Installed);
    QCOMPARE(folders.Settings, Tree->File("home/config/Quillery/"));
}

// A relative $XDG_DATA_HOME or $XDG_CONFIG_HOME is ignored, as the XDG rules say: nothing
// lands under the current folder.
void TestProgramFolders::relativeXdgFoldersAreIgnored() {
    qputenv("XDG_DATA_HOME", "relative/data");
    qputenv("XDG_CONFIG_HOME", "relative/config");
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", Tree->File("home").toLocal8Bit());
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(Tree->Path());
    QVERIFY(QDir().mkpath(Tree->File("prefix/bin")));
    QVERIFY(QDir().mkpath(Tree->File("prefix/share/quillery")));
    const TProgramFolders folders = TProgramFolders::Decide(Tree->File("prefix/bin"));
    QDir::setCurrent(cwd);
    qputenv("HOME", home);
    QCOMPARE(folders.Data, Tree->File("home/.local/share/Quillery/"));
    QCOMPARE(folders.Settings, Tree->File("home/.config/Quillery/"));
    QVERIFY(!QFile::exists(Tree->File("relative")));
}

QTEST_MAIN(TestProgramFolders)
#include "tst_ProgramFolders.moc"
