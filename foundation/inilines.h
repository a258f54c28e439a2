#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

// Pieces shared by the two INI file classes: both work on 8-bit lines and
// match section and key names without regard to letter case.
namespace IniLines {

QByteArray Trimmed(const QByteArray& line);  // drops blanks and control characters at both ends
bool EqualIgnoringCase(const QByteArray& a, const QByteArray& b);
QByteArray FoldCase(const QByteArray& name);

// The section name of a header line "[name]", or a null array for any other line.
QByteArray SectionName(const QByteArray& trimmedLine);

// Splits file contents into lines; CR LF, LF and a lone CR all end a line.
// A UTF-8 byte order mark at the start is skipped.
QByteArrayList SplitLines(const QByteArray& contents);

// Reads a whole file; false when it exists but cannot be read. A missing file
// reads as empty.
bool ReadFile(const QString& path, QByteArray& contents);

// Writes the lines with CR LF endings through a new file that replaces the
// old one only once complete, so a crash leaves the old file or the new one.
bool WriteLinesAtomically(const QString& path, const QByteArrayList& lines);
bool WriteFileAtomically(const QString& path, const QByteArray& contents);

// read integer: "0x"/"0X" (longer than two characters) or a leading "$" mean
// hexadecimal, otherwise decimal; anything else gives the default.
int ParseInteger(const QByteArray& value, int defaultValue);

}  // namespace IniLines
