#include "CsvField.h"

static QByteArray TrimControl(const QByteArray& s) {
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && static_cast<unsigned char>(s.at(b)) <= 0x20)
        ++b;
    while (e > b && static_cast<unsigned char>(s.at(e - 1)) <= 0x20)
        --e;
    return s.mid(b, e - b);
}

QByteArray CsvField(const QByteArray& line, int n, char delimiter) {
    const qsizetype len = line.size();
    qsizetype pos = 0;
    bool quoted = false;
    for (int passed = 0; passed < n; ++pos) {
        if (pos >= len)
            return {};
        const char c = line.at(pos);
        if (c == '"')
            quoted = !quoted;
        else if (c == delimiter && !quoted)
            ++passed;
    }
    quoted = false;
    qsizetype end = pos;
    for (; end < len; ++end) {
        const char c = line.at(end);
        if (c == '"')
            quoted = !quoted;
        else if (c == delimiter && !quoted)
            break;
    }
    QByteArray field = line.mid(pos, end - pos);
    if (field.size() >= 2 && field.startsWith('"') && field.endsWith('"'))
        field = field.mid(1, field.size() - 2);
    return TrimControl(field);
}
