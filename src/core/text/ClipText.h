#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A clip is a byte string; these helpers never decode it for storage.
namespace ClipText {

inline constexpr char CRLF[] = "\r\n";

// Empty, or every byte is 0x20 or lower.
bool IsBlank(const QByteArray& text);

// Byte comparison with only a-z folded to A-Z; locale-independent.
// Negative, zero or positive like strcmp.
int Compare(const QByteArray& a, const QByteArray& b);

// Splits at CR LF, lone CR or lone LF. A text ending in a line break gives no empty last line;
// an empty text gives no lines.
QList<QByteArray> SplitLines(const QByteArray& text);

// The lines, each followed by CR LF, as a text file holds them.
QByteArray WithLineEnds(const QList<QByteArray>& lines);

// Valid UTF-8 decodes as UTF-8; anything else is an old single-byte list, read as Windows-1252.
QString Decode(const QByteArray& text);
bool IsUtf8(const QByteArray& text);
QString DecodeCp1252(const QByteArray& text);
// The text in the old single-byte code that Decode reads; false where a character has no byte
// there.
bool EncodeCp1252(const QString& text, QByteArray& bytes);

// One-line preview for a grid cell: at most maxChars characters, line breaks shown as a
// return symbol and tabs as spaces, so that a huge clip never slows painting.
QString Preview(const QByteArray& text, int maxChars = 512);

// One line for a launcher's menu, safe in a terminal: at most maxChars characters (an ellipsis
// as the last where the text goes on), line breaks a return symbol, a tab a space, any other
// control character a visible symbol. Decoded as Preview does, from a bounded prefix.
QString OneLine(const QByteArray& text, int maxChars = 200);

} // namespace ClipText
