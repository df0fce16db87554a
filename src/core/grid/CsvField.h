#pragma once

#include <QByteArray>

// Field n (from 0) of a delimited line. Delimiters inside double quotes do not count; a field
// that both begins and ends with a double quote loses those two; bytes up to 0x20 are trimmed
// from both ends. A line with fewer fields gives an empty text.
QByteArray CsvField(const QByteArray& line, int n, char delimiter = ',');
