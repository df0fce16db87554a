#include "fakes/FormFixture.h"
#include "gui/dialogs/About.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QtTest>

using TRequest = TFakeShell::TRequest;

class TestHelpAndAbout : public QObject {
    Q_OBJECT
private slots:
    void helpMenu();
    void helpRequests_data();
    void helpRequests();
    void launchBrowser_data();
    void launchBrowser();
    void aboutBox();
};

void TestHelpAndAbout::helpMenu() {
    TFormFixture f;
    auto& form = f.Create();
    QStringList items;
    for (QAction* a : form.Help1->actions())
        items << (a->isSeparator() ? "-" : a->objectName());
    QCOMPARE(items,
             QStringList({"Contents1", "KeywordSearch1", "-", "QuilleryWebPage1", "VendrelWebPage1",
                          "EmailFeedback1", "-", "OtherVendrelSoftware1", "About1"}));
    QCOMPARE(form.Contents1->shortcut(), QKeySequence(Qt::Key_F1));
    QCOMPARE(form.spdbtnHelp->toolTip(), "Help");
}

void TestHelpAndAbout::helpRequests_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("topic");
    QTest::newRow("Index") << "Contents1" << int(THelpCommand::Contents) << 0;
    QTest::newRow("F1") << "F1" << int(THelpCommand::Contents) << 0;
    QTest::newRow("Help button") << "spdbtnHelp" << int(THelpCommand::Contents) << 0;
    QTest::newRow("tray Help") << "Help3" << int(THelpCommand::Contents) << 0;
    QTest::newRow("Keyword Search") << "KeywordSearch1" << int(THelpCommand::KeywordSearch) << 0;
    QTest::newRow("Other Vendrel Software")
        << "OtherVendrelSoftware1" << int(THelpCommand::Topic) << 230;
}

void TestHelpAndAbout::helpRequests() {
    QFETCH(QString, entry);
    QFETCH(int, command);
    QFETCH(int, topic);
    TFormFixture f;
    auto& form = f.Create();
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    if (entry == "F1")
        QTest::keyClick(&form, Qt::Key_F1);
    else if (entry == "spdbtnHelp")
        form.spdbtnHelp->click();
    else
        form.findChild<QAction*>(entry)->trigger();
    QCOMPARE(f.Shell.Requests,
             QList<TRequest>({{f.Dir.Path() + "help", THelpCommand(command), QString(), topic}}));
}

void TestHelpAndAbout::launchBrowser_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("answer"); // -1: no question
    QTest::addColumn<bool>("fails");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<bool>("error");
    const QString product = "https://www.vendrel.example/quillery/";
    const QString site = "https://www.vendrel.example/";
    const QString mail = "mailto:support@vendrel.example?subject=Quillery";
    const int yes = int(TAnswer::Yes);
    QTest::newRow("product page, Yes") << "QuilleryWebPage1" << yes << false << product << false;
    QTest::newRow("maker's site, Yes") << "VendrelWebPage1" << yes << false << site << false;
    QTest::newRow("No opens nothing")
        << "QuilleryWebPage1" << int(TAnswer::No) << false << QString() << false;
    QTest::newRow("question closed")
        << "VendrelWebPage1" << int(TAnswer::Closed) << false << QString() << false;
    QTest::newRow("mail: no question") << "EmailFeedback1" << -1 << false << mail << false;
    QTest::newRow("no mail program") << "EmailFeedback1" << -1 << true << mail << true;
    QTest::newRow("no browser") << "VendrelWebPage1" << yes << true << site << true;
}

void TestHelpAndAbout::launchBrowser() {
    QFETCH(QString, item);
    QFETCH(int, answer);
    QFETCH(bool, fails);
    QFETCH(QString, opened);
    QFETCH(bool, error);
    TFormFixture f;
    auto& form = f.Create();
    f.Shell.Fail = fails;
    if (answer >= 0)
        f.Prompts.Answers.enqueue(TAnswer(answer));
    form.findChild<QAction*>(item)->trigger();
    QCOMPARE(f.Shell.Opened, opened.isEmpty() ? QStringList() : QStringList{opened});
    QList<TScriptedPrompts::TShown> shown;
    if (answer >= 0)
        shown.append({"ask", "Confirm", "Connect to the Internet now?"});
    if (error)
        shown.append(
            {"ask", "Launch Error", "Could not start your Internet browser for " + opened + "."});
    QCOMPARE(f.Prompts.Shown, shown);
}

// Each opening is a new box: translated caption, version with the user's decimal separator,
// the author credit hidden until a picture is double-clicked; F1 its topic, the address asks.
void TestHelpAndAbout::aboutBox() {
    TFormFixture f;
    QVERIFY(QFile::copy(QUILLERY_SOURCE_DIR "/languages/German.lng", f.Dir.File("German.lng")));
    f.Settings.Language = "German";
    auto& form = f.Create();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    int openings = 0;
    std::function<void()> inspect = [&] {
        auto* box = qobject_cast<TAboutBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        ++openings;
        QCOMPARE(box->windowTitle(), QString::fromUtf8("Über Quillery"));
        QCOMPARE(box->Version->text(), "Version 3,00");
        QCOMPARE(box->lblBuild->text(), "Build 3.000");
        QVERIFY(!box->lblResFree->isVisible());
        QCOMPARE(box->size(), QSize(364, 221));
        if (openings == 1) {
            QTest::mouseDClick(box->Image1, Qt::LeftButton);
            QVERIFY(box->lblResFree->isVisible());
            QVERIFY(box->lblResFree->text().startsWith("Written by"));
            QTest::keyClick(box, Qt::Key_F1);
            f.Prompts.Answers.enqueue(TAnswer::No);
            QTest::mouseClick(box->Label1, Qt::LeftButton);
        } else {
            QTest::mouseDClick(box->Image3, Qt::LeftButton);
            QVERIFY(box->lblResFree->isVisible());
        }
        QTest::keyClick(box, Qt::Key_Escape);
    };
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, inspect);
        form.About1->trigger();
    }
    QLocale::setDefault(QLocale::c());
    QCOMPARE(openings, 2);
    QCOMPARE(f.Shell.Requests,
             QList<TRequest>({{f.Dir.Path() + "help", THelpCommand::Topic, QString(), 61}}));
    QCOMPARE(f.Prompts.Shown,
             (QList<TScriptedPrompts::TShown>{{"ask", "Confirm", "Connect to the Internet now?"}}));
    QVERIFY(f.Shell.Opened.isEmpty());
    QVERIFY(!form.findChild<TAboutBox*>());
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<TAboutBox*>(w)); // released after each opening
}

QTEST_MAIN(TestHelpAndAbout)
#include "tst_HelpAndAbout.moc"
