#pragma once

#include <QDialog>

#include <functional>

class QFrame;
class QLabel;
class QPushButton;

// "About Quillery": the product, its version and its maker. Exists only while shown.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    // openSite: the maker's web site was clicked; help: F1 (the box's topic).
    TAboutBox(std::function<void()> openSite, std::function<void()> help);

    static constexpr int HelpContext = 61;
    static constexpr double VersionNumber = 3.0;
    static const QString WebAddress;

    QWidget* Image1 = nullptr;
    QWidget* Image3 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* lblBuild = nullptr;
    QLabel* Notice = nullptr;
    QLabel* Label1 = nullptr;
    QFrame* Bevel1 = nullptr;
    QLabel* lblResFree = nullptr;
    QPushButton* OKButton = nullptr;

    void ProgramIconDblClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    std::function<void()> OpenSite, ShowHelp;
};
