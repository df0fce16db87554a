#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class QObject;

// The program's windows seen as named components with Delphi-style properties: a window's
// components are all its named descendants, and Caption, Hint, Filter and Items map onto the
// right Qt property of each kind of object.
namespace ObjectModel {

enum class TKind { None, String, Integer, StringList };

QList<QObject*> TopLevelWindows();
// The window, or the component below owner, of that name (letters a-z folded); null if none.
QObject* FindWindow(const QString& name);
QObject* FindComponent(QObject* owner, const QString& name);
QObject* FindInAnyWindow(const QString& name);

TKind KindOf(QObject* object, const QString& property);
QString ReadString(QObject* object, const QString& property); // empty unless a string
// value holds a QString, an int or a QStringList, as KindOf says.
void Write(QObject* object, const QString& property, const QVariant& value);

} // namespace ObjectModel
