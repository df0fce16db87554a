#include "Language.h"

#include "ObjectModel.h"
#include "core/config/IniFile.h"
#include "core/lang/LanguageText.h"

using LanguageText::TrimBlanks;
using ObjectModel::TKind;

TLanguage::TLanguage(QObject* owner) : QObject(owner) {}

void TLanguage::SetSeparator(const QString& separator) {
    ItemSeparator = LanguageText::NormalizeSeparator(separator);
}

void TLanguage::Translate() {
    if (OnBeforeTranslation)
        OnBeforeTranslation(this);
    const TIniFile file(LanguageFile);
    for (const QString& entry : PathList) {
        if (TrimBlanks(entry).isEmpty())
            continue;
        TranslatePath(entry, file.ReadString(QStringLiteral("Translations"), entry, QString()));
    }
    if (OnAfterTranslation)
        OnAfterTranslation(this);
}

// Walks the names before the last dot. Beyond the classic rule, a name repeating the
// current window's own name stays on it, and a first name that is no window is looked for
// among the open windows' components, so that such entries of the list reach their controls.
QObject* TLanguage::Resolve(const QString& path, QString& property) const {
    QObject* current = nullptr;
    bool atRoot = true;
    QString rest = TrimBlanks(path);
    qsizetype dot;
    while ((dot = rest.indexOf(QLatin1Char('.'))) >= 0) {
        const QString name = TrimBlanks(rest.left(dot));
        rest = TrimBlanks(rest.mid(dot + 1));
        if (atRoot) {
            current = ObjectModel::FindWindow(name);
            if (!current)
                current = ObjectModel::FindInAnyWindow(name);
            atRoot = false;
        } else if (current && !LanguageText::SameName(current->objectName(), name)) {
            current = ObjectModel::FindComponent(current, name);
        }
    }
    property = rest;
    return current;
}

void TLanguage::TranslatePath(const QString& path, const QString& value) {
    if (TrimBlanks(path).isEmpty())
        return;
    QString property;
    QObject* component = Resolve(path, property);
    if (!component || value.isEmpty())
        return;
    QString newValue = value;
    if (OnTranslate)
        OnTranslate(this, component, property, ObjectModel::ReadString(component, property),
                    newValue);
    switch (ObjectModel::KindOf(component, property)) {
    case TKind::String:
        ObjectModel::Write(component, property, newValue);
        break;
    case TKind::Integer: {
        bool ok = false;
        const int number = newValue.trimmed().toInt(&ok);
        if (ok)
            ObjectModel::Write(component, property, number);
        break;
    }
    case TKind::StringList:
        ObjectModel::Write(component, property, LanguageText::SplitItems(newValue, ItemSeparator));
        break;
    case TKind::None:
        break;
    }
}

QString TLanguage::MessageText(const QString& text) const {
    return LanguageText::MessageText(LanguageFile, text);
}
