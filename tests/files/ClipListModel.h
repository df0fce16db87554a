#pragma once

#include <QByteArray>
#include <QList>

#include <algorithm>

// The .clp reading rules written out as plainly as they are stated, byte by byte, with no
// buffering and no shortcuts: the reader must agree with this on every file.
namespace ClipListModel {

inline void Read(const QByteArray& file, QList<QByteArray>& texts, bool append, int rows) {
    qsizetype pos = 0;
    // The end of the file: no byte left, or the next byte is 0x1A.
    auto atEnd = [&] { return pos >= file.size() || file[pos] == '\x1a'; };
    // A line ends at a CR; an LF directly after that CR belongs to the line end.
    auto readLine = [&] {
        QByteArray line;
        while (!atEnd() && file[pos] != '\r')
            line += file[pos++];
        if (!atEnd()) {
            ++pos;
            if (!atEnd() && file[pos] == '\n')
                ++pos;
        }
        return line;
    };

    int target = 0;
    if (append) {
        for (qsizetype r = texts.size() - 1; r >= 0; --r) {
            if (!texts[r].isEmpty()) {
                target = int(r) + 1;
                break;
            }
        }
    } else {
        for (QByteArray& text : texts)
            text.clear();
    }
    const int limit = int(std::min<qsizetype>(rows, texts.size()));
    while (target < limit && !atEnd()) {
        const QByteArray line = readLine();
        if (line == "\x0c") {
            ++target;
            continue;
        }
        if (atEnd())
            break;
        if (texts[target].isEmpty())
            texts[target] = line;
        else
            texts[target] += "\r\n" + line;
    }
}

} // namespace ClipListModel
