#pragma once

#include <QByteArray>
#include <QList>

#include <algorithm>

// The .clp reading rules written out as plainly as they are stated, byte by byte, with no
// buffering and no shortcuts: the reader must agree with this on every file. It also tells
// how many clips the list received and how many the file holds beyond them.
namespace ClipListModel {

inline bool Blank(const QByteArray& text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) > 0x20)
            return false;
    }
    return true;
}

struct TCounts {
    qint64 Read = 0, Left = 0;
};

inline TCounts Read(const QByteArray& file, QList<QByteArray>& texts, bool append, int rows) {
    qsizetype pos = 0;
    // The end of the file: no byte left, or nothing left but 0x1A bytes.
    qsizetype end = file.size();
    while (end > 0 && file[end - 1] == '\x1a')
        --end;
    auto atEnd = [&] { return pos >= end; };
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
    const int first = target;
    const int limit = int(std::min<qsizetype>(rows, texts.size()));
    TCounts counts;
    while (target < limit && !atEnd()) {
        const QByteArray line = readLine();
        if (line == "\x0c") {
            ++target;
            continue;
        }
        if (atEnd()) {
            counts.Left = !Blank(line);
            break;
        }
        if (texts[target].isEmpty())
            texts[target] = line;
        else
            texts[target] += "\r\n" + line;
    }
    // Past the list: every record, and a last line without its separator, with more than
    // blanks in it.
    if (target >= limit) {
        bool text = false;
        while (!atEnd()) {
            const QByteArray line = readLine();
            if (line == "\x0c") {
                counts.Left += text;
                text = false;
            } else {
                text = text || !Blank(line);
            }
        }
        counts.Left += text;
    }
    for (int r = first; r < limit && r <= target; ++r)
        counts.Read += !Blank(texts[r]);
    return counts;
}

} // namespace ClipListModel
