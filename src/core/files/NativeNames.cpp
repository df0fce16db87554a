#include "NativeNames.h"

#include "core/text/ClipText.h"

namespace NativeNames {
namespace {
constexpr char16_t EscapeBase = 0xDC00;

bool IsEscape(QChar c) {
    return c.unicode() >= EscapeBase + 0x80 && c.unicode() <= EscapeBase + 0xFF;
}

// The length of the well-formed UTF-8 sequence that starts at p, 0 when there is none.
int SequenceLength(const unsigned char* p, const unsigned char* end) {
    const unsigned char b = *p;
    int length = 0;
    unsigned char low = 0x80, high = 0xBF; // bounds of the second byte
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        length = 2;
    else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        low = b == 0xE0 ? 0xA0 : 0x80;
        high = b == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        low = b == 0xF0 ? 0x90 : 0x80;
        high = b == 0xF4 ? 0x8F : 0xBF;
    } else
        return 0;
    if (end - p < length || p[1] < low || p[1] > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if (p[i] < 0x80 || p[i] > 0xBF)
            return 0;
    }
    return length;
}
} // namespace

QString Decode(const QByteArray& name) {
    if (ClipText::IsUtf8(name))
        return QString::fromUtf8(name);
    QString out;
    out.reserve(name.size());
    const auto* p = reinterpret_cast<const unsigned char*>(name.constData());
    const auto* end = p + name.size();
    while (p < end) {
        const int length = SequenceLength(p, end);
        if (length == 0) {
            out.append(QChar(char16_t(EscapeBase + *p)));
            ++p;
        } else {
            out.append(QString::fromUtf8(reinterpret_cast<const char*>(p), length));
            p += length;
        }
    }
    return out;
}

QByteArray Encode(const QString& name) {
    if (!HasEscapes(name))
        return name.toUtf8();
    QByteArray out;
    qsizetype plain = 0; // start of the text not yet encoded
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!IsEscape(name[i]) || (i > 0 && name[i - 1].isHighSurrogate()))
            continue;
        out += QStringView(name).sliced(plain, i - plain).toUtf8();
        out += char(name[i].unicode() - EscapeBase);
        plain = i + 1;
    }
    return out + QStringView(name).sliced(plain).toUtf8();
}

bool HasEscapes(const QString& name) {
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (IsEscape(name[i]) && (i == 0 || !name[i - 1].isHighSurrogate()))
            return true;
    }
    return false;
}

QString Shown(const QString& name) {
    QString shown = name;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (IsEscape(shown[i]) && (i == 0 || !shown[i - 1].isHighSurrogate()))
            shown[i] = QChar::ReplacementCharacter;
    }
    return shown;
}

} // namespace NativeNames
