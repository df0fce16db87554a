// The real dialogs where the desktop's own behaviour matters: Qt's font dialog, and the help
// opened from the About box.
#include "fakes/FormFixture.h"
#include "gui/dialogs/DesktopShell.h"
#include "gui/dialogs/HelpViewer.h"
#include "gui/dialogs/QtPrompts.h"

#include <QAction>
#include <QApplication>
#include <QFontDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {
// Notes each help window that a modal dialog blocks.
struct TBlockedHelp : QObject {
    int Blocked = 0;
    bool eventFilter(QObject* o, QEvent* e) override {
        Blocked += e->type() == QEvent::WindowBlocked && qobject_cast<THelpViewer*>(o);
        return false;
    }
};
} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void unchangedFontDialogChangesNothing_data();
    void unchangedFontDialogChangesNothing();
    void helpFromTheAboutBoxCanBeUsed();
    void helpWindowSpeaksTheLanguage();
    void questionMarkOnQuestionsOnly_data();
    void questionMarkOnQuestionsOnly();
};

void TestDialogs::unchangedFontDialogChangesNothing_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::newRow("regular, its style called Book") << "DejaVu Sans" << false << false;
    QTest::newRow("bold") << "DejaVu Sans" << true << false;
    QTest::newRow("italic, called Oblique") << "DejaVu Sans" << false << true;
    QTest::newRow("bold italic serif") << "DejaVu Serif" << true << true;
}

// OK in a font dialog nobody touched gives back the font it was given.
void TestDialogs::unchangedFontDialogChangesNothing() {
    QFETCH(QString, family);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFont font(family, 11);
    font.setBold(bold);
    font.setItalic(italic);
    TFontChoice choice{font, 0};
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QFontDialog*>(QApplication::activeModalWidget()))
            box->accept();
    });
    TQtPrompts prompts;
    QVERIFY(prompts.ChooseFont(choice, "&Color...", [](const TFontChoice&) {}));
    QCOMPARE(choice.Font.family(), family);
    QCOMPARE(choice.Font.bold(), bold);
    QCOMPARE(choice.Font.italic(), italic);
    QCOMPARE(choice.Font.pointSize(), 11);
}

// F1 in the About box opens the help, which can be used while the box is open.
void TestDialogs::helpFromTheAboutBoxCanBeUsed() {
    TFormFixture f;
    TDesktopShell shell;
    TQuilleryMainForm form(
        f.Dir.Path(), TPlatform{f.Clipboard, f.Sound, f.Prompts, f.HotKeys, f.PasteTarget, shell});
    form.show();
    TBlockedHelp blocked;
    qApp->installEventFilter(&blocked);
    bool helpShown = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        QVERIFY(box);
        QTest::keyClick(box, Qt::Key_F1);
        for (QWidget* w : QApplication::topLevelWidgets())
            helpShown = helpShown || (qobject_cast<THelpViewer*>(w) && w->isVisible());
        QTest::keyClick(box, Qt::Key_Escape);
    });
    form.About1->trigger();
    qApp->removeEventFilter(&blocked);
    QVERIFY(helpShown);
    QCOMPARE(blocked.Blocked, 0);
}

// The help window's own labels follow the program's language.
void TestDialogs::helpWindowSpeaksTheLanguage() {
    TFormFixture f;
    QVERIFY(QFile::copy(QUILLERY_SOURCE_DIR "/languages/German.lng", f.Dir.File("German.lng")));
    f.Settings.Language = "German";
    TDesktopShell shell;
    TQuilleryMainForm form(
        f.Dir.Path(), TPlatform{f.Clipboard, f.Sound, f.Prompts, f.HotKeys, f.PasteTarget, shell});
    form.Contents1->trigger();
    THelpViewer* viewer = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        viewer = viewer ? viewer : qobject_cast<THelpViewer*>(w);
    QVERIFY(viewer);
    QCOMPARE(viewer->Tabs->tabText(0), "&Inhalt");
    QCOMPARE(viewer->Search->placeholderText(), "Stichwort eingeben");
    QCOMPARE(viewer->Back->text(), QString::fromUtf8("Zurück"));
    QVERIFY(viewer->windowTitle().startsWith("Hilfe"));
}

void TestDialogs::questionMarkOnQuestionsOnly_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("icon");
    QTest::newRow("a question") << "Confirmation" << int(TButtons::YesNo)
                                << int(QMessageBox::Question);
    QTest::newRow("OK alone tells")
        << "Launch Error" << int(TButtons::Ok) << int(QMessageBox::Warning);
    QTest::newRow("a failure") << "Exception" << int(TButtons::OkCancel)
                               << int(QMessageBox::Critical);
}

void TestDialogs::questionMarkOnQuestionsOnly() {
    QFETCH(QString, caption);
    QFETCH(int, buttons);
    QFETCH(int, icon);
    int shown = -1;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->icon();
            box->reject();
        }
    });
    TQtPrompts().Ask(caption, "text", TButtons(buttons));
    QCOMPARE(shown, icon);
}

QTEST_MAIN(TestDialogs)
#include "tst_Dialogs.moc"
