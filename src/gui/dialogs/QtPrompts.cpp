#include "QtPrompts.h"

#include "Splash.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace {
// Tells the window's close button from the buttons: Qt reports a close as the escape button.
// While the splash window is up (start-up), which stays on top, a box stays on top too and
// comes above it, instead of hiding under it.
class TMessageBox : public QMessageBox {
public:
    TMessageBox(Icon icon, const QString& caption, const QString& text, StandardButtons buttons,
                QWidget* owner)
        : QMessageBox(icon, caption, text, buttons, owner) {
        if (SplashShown())
            setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    bool Closed = false;

protected:
    void closeEvent(QCloseEvent* event) override {
        Closed = true;
        QMessageBox::closeEvent(event);
    }

private:
    static bool SplashShown() {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::any_of(windows.begin(), windows.end(), [](QWidget* window) {
            return window->isVisible() && qobject_cast<TfrmSplash*>(window);
        });
    }
};
} // namespace

QWidget* TQtPrompts::Parent() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return Owner;
}

void TQtPrompts::Withdraw(bool closeOpenBoxes) {
    Withdrawn = true;
    if (!closeOpenBoxes)
        return;
    // Innermost first; each closes at once, and its own loop returns when the stack unwinds.
    for (int i = 0; i < 32; ++i) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            break;
        if (auto* box = dynamic_cast<TMessageBox*>(modal))
            box->Closed = true;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        if (QApplication::activeModalWidget() == modal)
            break; // would not close: leave it
    }
}

void TQtPrompts::ShowMessage(const QString& text) {
    if (Withdrawn) {
        qWarning("Quillery: %s", qPrintable(text));
        return;
    }
    TMessageBox(QMessageBox::Information, QApplication::applicationDisplayName(), text,
                QMessageBox::Ok, Parent())
        .exec();
}

void TQtPrompts::ShowError(const QString& text) {
    if (Withdrawn) {
        qWarning("Quillery: %s", qPrintable(text));
        return;
    }
    TMessageBox(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
                QMessageBox::Ok, Parent())
        .exec();
}

TAnswer TQtPrompts::Ask(const QString& caption, const QString& text, TButtons buttons) {
    using B = QMessageBox::StandardButton;
    const bool yesNo = buttons == TButtons::YesNo;
    const QMessageBox::StandardButtons offered =
        buttons == TButtons::Ok ? B::Ok : (yesNo ? B::Yes | B::No : B::Ok | B::Cancel);
    if (Withdrawn)
        return TAnswer::Closed;
    // A question mark on questions only: a box with OK alone tells, "Exception" reports a
    // failure.
    const QMessageBox::Icon icon = buttons == TButtons::Ok                 ? QMessageBox::Warning
                                   : caption == QLatin1String("Exception") ? QMessageBox::Critical
                                                                           : QMessageBox::Question;
    TMessageBox box(icon, caption, text, offered, Parent());
    const auto answer = B(box.exec());
    if (box.Closed || Withdrawn)
        return TAnswer::Closed;
    switch (answer) {
    case B::Yes:
        return TAnswer::Yes;
    case B::No:
        return TAnswer::No;
    case B::Ok:
        return TAnswer::Ok;
    default:
        return yesNo ? TAnswer::No : TAnswer::Cancel;
    }
}

QStringList TQtPrompts::NameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        description.remove(QRegularExpression(QStringLiteral("\\s*\\([^)]*\\)\\s*$")));
        QStringList patterns;
        for (QString pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
            if (!patterns.contains(pattern.toLower()))
                patterns << pattern.toLower();
            if (!patterns.contains(pattern.toUpper()))
                patterns << pattern.toUpper();
        }
        filters << QStringLiteral("%1 (%2)").arg(description.trimmed(), patterns.join(' '));
    }
    return filters;
}

QString TQtPrompts::Run(TFileDialog& dialog, bool save) {
    if (Withdrawn)
        return {};
    QFileDialog box(Parent());
    box.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    box.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    box.setNameFilters(NameFilters(dialog.Filter));
    box.setDirectory(dialog.InitialDir);
    if (!dialog.DefaultExt.isEmpty())
        box.setDefaultSuffix(dialog.DefaultExt);
    if (!dialog.FileName.isEmpty())
        box.selectFile(dialog.FileName);
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty() || Withdrawn)
        return {};
    dialog.FileName = box.selectedFiles().constFirst();
    return dialog.FileName;
}

QString TQtPrompts::OpenFile(TFileDialog& dialog) {
    return Run(dialog, false);
}

QString TQtPrompts::SaveFile(TFileDialog& dialog) {
    return Run(dialog, true);
}
