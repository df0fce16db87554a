#include "DragSource.h"

#include "core/text/ClipText.h"

#include <QDir>
#include <QDrag>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QWidget>

namespace {
constexpr int DragDistance = 10;
const QString ScrapFileName = QStringLiteral("Text Scrap File.txt");
} // namespace

TDragSource::TDragSource(QWidget* source) : Source(source) {
    Exec = [this](QMimeData* data) {
        auto* drag = new QDrag(Source);
        drag->setMimeData(data);
        return drag->exec(Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
    };
}

TDragSource::~TDragSource() = default;

bool TDragSource::FarEnough(QPoint pos) const {
    const QPoint moved = pos - From;
    return std::abs(moved.x()) >= DragDistance || std::abs(moved.y()) >= DragDistance;
}

Qt::DropAction TDragSource::Drag(const QByteArray& clip) {
    return Exec(Data(clip));
}

void TDragSource::RemoveScrap() {
    ScrapFolder.reset();
}

QMimeData* TDragSource::Data(const QByteArray& clip) {
    auto* data = new QMimeData;
    data->setText(ClipText::Decode(clip));
    ScrapFolder = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/quillery-drag-XXXXXX");
    const QString file = ScrapFolder->filePath(ScrapFileName);
    QFile scrap(file);
    // Private, as the clip may be a password: the folder is 0700, the file 0600.
    if (ScrapFolder->isValid() && scrap.open(QIODevice::WriteOnly) &&
        scrap.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
        scrap.write(clip) == clip.size())
        data->setUrls({QUrl::fromLocalFile(file)});
    return data;
}
