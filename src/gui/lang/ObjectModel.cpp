#include "ObjectModel.h"

#include "core/lang/LanguageText.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMetaProperty>

namespace ObjectModel {

namespace {

using LanguageText::SameName;

// The Qt property that stands for Caption or Hint on this kind of object.
QByteArray QtNameFor(QObject* o, const QString& property) {
    if (SameName(property, QStringLiteral("Caption"))) {
        if (qobject_cast<QAction*>(o) || qobject_cast<QAbstractButton*>(o) ||
            qobject_cast<QLabel*>(o))
            return "text";
        if (qobject_cast<QMenu*>(o) || qobject_cast<QGroupBox*>(o))
            return "title";
        if (auto* w = qobject_cast<QWidget*>(o); w && w->isWindow())
            return "windowTitle";
    }
    if (SameName(property, QStringLiteral("Hint")) &&
        (qobject_cast<QAction*>(o) || qobject_cast<QWidget*>(o)))
        return "toolTip";
    // Our own components declare Delphi-named properties (Filter, Items) themselves.
    const QMetaObject* meta = o->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        if (SameName(QString::fromLatin1(meta->property(i).name()), property))
            return meta->property(i).name();
    }
    return {};
}

QMetaProperty MetaProperty(QObject* o, const QString& property) {
    const QByteArray name = QtNameFor(o, property);
    if (name.isEmpty())
        return {};
    return o->metaObject()->property(o->metaObject()->indexOfProperty(name.constData()));
}

} // namespace

QList<QObject*> TopLevelWindows() {
    QList<QObject*> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        windows.append(w);
    return windows;
}

QObject* FindWindow(const QString& name) {
    for (QObject* w : TopLevelWindows()) {
        if (SameName(w->objectName(), name))
            return w;
    }
    return nullptr;
}

QObject* FindComponent(QObject* owner, const QString& name) {
    // Breadth first: a component placed on the window wins over one deeper inside another.
    QList<QObject*> level = owner->children();
    while (!level.isEmpty()) {
        QList<QObject*> next;
        for (QObject* o : level) {
            if (SameName(o->objectName(), name))
                return o;
            next += o->children();
        }
        level = next;
    }
    return nullptr;
}

QObject* FindInAnyWindow(const QString& name) {
    for (QObject* w : TopLevelWindows()) {
        if (QObject* found = FindComponent(w, name))
            return found;
    }
    return nullptr;
}

TKind KindOf(QObject* object, const QString& property) {
    const QMetaProperty p = MetaProperty(object, property);
    if (!p.isValid() || !p.isWritable())
        return TKind::None;
    switch (p.metaType().id()) {
    case QMetaType::QString:
        return TKind::String;
    case QMetaType::Int:
        return TKind::Integer;
    case QMetaType::QStringList:
        return TKind::StringList;
    default:
        return TKind::None;
    }
}

QString ReadString(QObject* object, const QString& property) {
    if (KindOf(object, property) != TKind::String)
        return {};
    return MetaProperty(object, property).read(object).toString();
}

void Write(QObject* object, const QString& property, const QVariant& value) {
    MetaProperty(object, property).write(object, value);
}

} // namespace ObjectModel
