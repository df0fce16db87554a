#pragma once

#include "core/files/ChangeFlag.h"
#include "gui/lang/UserMessages.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// What the writer of list files needs of the list it keeps on disk: what to write, whether it
// changed, which files it must not write over, where a list without a file of its own goes,
// and what to tell the user.
class IAutoSaveList : public IUserMessages {
public:
    virtual const TChangeFlag& ListChanges() const = 0;
    virtual QList<QByteArray> ClipTextsWithZoomEdit() = 0; // the list as the user sees it
    // Read only in part: the list written over it would lose the rest.
    virtual bool IsPartialRead(const QString& fileName) const = 0;
    virtual QStringList TempListFolders(bool anywhere) const = 0;
    // A write of the list as it stood at changes has ended well.
    virtual void ListWritten(quint64 changes) = 0;

protected:
    ~IAutoSaveList() = default;
};
