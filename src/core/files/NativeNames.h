#pragma once

#include <QByteArray>
#include <QString>

// File names on Linux are bytes, mostly but not always UTF-8. A name is held as a QString
// that keeps every byte: UTF-8 decodes as usual, and each byte that is not part of valid
// UTF-8 becomes a lone surrogate U+DC80..U+DCFF, which no decoded text ever holds.
namespace NativeNames {

QString Decode(const QByteArray& name);

// The bytes again: Encode(Decode(b)) == b for any b.
QByteArray Encode(const QString& name);

bool HasEscapes(const QString& name);

// The name as people read it, as Qt shows such names: U+FFFD for each byte that is not UTF-8.
QString Shown(const QString& name);

} // namespace NativeNames
