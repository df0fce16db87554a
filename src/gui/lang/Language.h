#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class TLanguage;
using TNotifyEvent = std::function<void(TLanguage* Sender)>;
using TLanguageNotifyEvent =
    std::function<void(TLanguage* Sender, QObject* AComponent, const QString& PropertyName,
                       const QString& OldValue, QString& NewValue)>;

// Translates the program's windows from a language file: a pass writes the "Translations"
// value of each listed property path into that property, and MessageText looks English
// message texts up in "Messages". The file is read anew by every pass and every message.
class TLanguage : public QObject {
    Q_OBJECT
public:
    explicit TLanguage(QObject* owner = nullptr);

    QString LanguageFile;
    TNotifyEvent OnBeforeTranslation;
    TNotifyEvent OnAfterTranslation;
    TLanguageNotifyEvent OnTranslate;

    const QStringList& Properties() const { return PathList; }
    void SetProperties(const QStringList& paths) { PathList = paths; }
    const QString& Separator() const { return ItemSeparator; }
    void SetSeparator(const QString& separator);

    void Translate();
    void TranslatePath(const QString& path, const QString& value);
    QString MessageText(const QString& text) const;

private:
    QObject* Resolve(const QString& path, QString& property) const;

    QStringList PathList;
    QString ItemSeparator;
};
