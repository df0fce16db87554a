// The .clp reader on any bytes: no crash, the same result as the plain model of the reading
// rules, and what it read is stable once written and read again.
#include "core/files/ClipListFile.h"
#include "files/ClipListModel.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const bool append = data[0] & 1;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    QList<QByteArray> texts(6);
    texts[0] = "kept";
    QList<QByteArray> expected = texts;
    const auto result = ClipListFile::Decode(bytes, texts, append, 6, 1 + data[0] / 2);
    const auto counts = ClipListModel::Read(bytes, expected, append, 6);
    if (texts != expected || result.Read != counts.Read || result.Left != counts.Left)
        std::abort();
    QList<QByteArray> once(6), twice(6);
    ClipListFile::Decode(ClipListFile::Encode(texts, 6), once, false, 6);
    ClipListFile::Decode(ClipListFile::Encode(once, 6), twice, false, 6);
    if (once != twice)
        std::abort();
    return 0;
}
