#pragma once

#include <QPoint>

#include <functional>
#include <memory>

class QByteArray;
class QMimeData;
class QTemporaryDir;
class QWidget;

// Drags a clip out of the list into another program: as text, and as a private file of the
// text for targets that take files. The file stays until the next drag or the program's end,
// since a target may read it after the drop.
class TDragSource {
public:
    explicit TDragSource(QWidget* source);
    ~TDragSource();

    void Pressed(QPoint pos) { From = pos; }
    bool FarEnough(QPoint pos) const; // from the press: a drag, not a shaky click

    // Runs the drag and returns its result; throws std::bad_alloc when memory ran out.
    Qt::DropAction Drag(const QByteArray& clip);
    void RemoveScrap(); // every way out of the program removes the file

    // Runs a drag of the data, which it takes over, and returns its result; tests replace it.
    std::function<Qt::DropAction(QMimeData*)> Exec;

private:
    QMimeData* Data(const QByteArray& clip);

    QWidget* Source;
    QPoint From;
    std::unique_ptr<QTemporaryDir> ScrapFolder;
};
