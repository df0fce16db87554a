#include "QtPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

void TQtPrompts::ShowMessage(const QString& text) {
    QMessageBox::information(Owner, QApplication::applicationDisplayName(), text);
}

void TQtPrompts::ShowError(const QString& text) {
    QMessageBox::critical(Owner, QApplication::applicationDisplayName(), text);
}

TAnswer TQtPrompts::Ask(const QString& caption, const QString& text, TButtons buttons) {
    using B = QMessageBox::StandardButton;
    const bool yesNo = buttons == TButtons::YesNo;
    const QMessageBox::StandardButtons offered =
        buttons == TButtons::Ok ? B::Ok : (yesNo ? B::Yes | B::No : B::Ok | B::Cancel);
    const auto answer = QMessageBox::question(Owner, caption, text, offered);
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
    QFileDialog box(Owner);
    box.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    box.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    box.setNameFilters(NameFilters(dialog.Filter));
    box.setDirectory(dialog.InitialDir);
    if (!dialog.DefaultExt.isEmpty())
        box.setDefaultSuffix(dialog.DefaultExt);
    if (!dialog.FileName.isEmpty())
        box.selectFile(dialog.FileName);
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
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
