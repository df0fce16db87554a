#pragma once

#include "platform/Prompts.h"

#include <QObject>

// An open or save dialog placed on a window: its settings as a named component, so that a
// language file can give it a translated Filter.
class TFileDialogComponent : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Filter READ Filter WRITE SetFilter)
public:
    TFileDialogComponent(const QString& name, QObject* owner) : QObject(owner) {
        setObjectName(name);
    }
    QString Filter() const { return Dialog.Filter; }
    void SetFilter(const QString& filter) { Dialog.Filter = filter; }

    TFileDialog Dialog;
};
