#include "inilines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace IniLines {

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' ' || c == '\x7f'; }
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }
}  // namespace

QByteArray Trimmed(const QByteArray& line) {
  qsizetype begin = 0;
  qsizetype end = line.size();
  while (begin < end && IsBlank(line[begin])) ++begin;
  while (end > begin && IsBlank(line[end - 1])) --end;
  return line.mid(begin, end - begin);
}

bool EqualIgnoringCase(const QByteArray& a, const QByteArray& b) {
  if (a.size() != b.size()) return false;
  for (qsizetype i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

QByteArray FoldCase(const QByteArray& name) {
  QByteArray folded = name;
  for (char& c : folded) c = LowerAscii(c);
  return folded;
}

QByteArray SectionName(const QByteArray& trimmedLine) {
  if (trimmedLine.size() < 2 || !trimmedLine.startsWith('[') || !trimmedLine.endsWith(']')) return QByteArray();
  QByteArray name = trimmedLine.mid(1, trimmedLine.size() - 2);
  if (name.isNull()) name = QByteArray("");
  return name;
}

QByteArrayList SplitLines(const QByteArray& contents) {
  QByteArrayList lines;
  // Many editors begin a UTF-8 file with a byte order mark; it is no part of the first line.
  qsizetype start = contents.startsWith("\xEF\xBB\xBF") ? 3 : 0;
  const qsizetype size = contents.size();
  for (qsizetype i = start; i < size; ++i) {
    const char c = contents[i];
    if (c != '\n' && c != '\r') continue;
    lines.append(contents.mid(start, i - start));
    if (c == '\r' && i + 1 < size && contents[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < size) lines.append(contents.mid(start));
  return lines;
}

bool ReadFile(const QString& path, QByteArray& contents) {
  contents.clear();
  QFile file(path);
  if (!file.exists()) return true;
  if (!file.open(QIODevice::ReadOnly)) return false;
  contents = file.readAll();
  return file.error() == QFileDevice::NoError;
}

bool WriteLinesAtomically(const QString& path, const QByteArrayList& lines) {
  QByteArray contents;
  for (const QByteArray& line : lines) contents += line + "\r\n";
  return WriteFileAtomically(path, contents);
}

bool WriteFileAtomically(const QString& path, const QByteArray& contents) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(contents) != contents.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

int ParseInteger(const QByteArray& value, int defaultValue) {
  const QByteArray text = value.trimmed();
  bool ok = false;
  qlonglong number = 0;
  if (text.size() > 2 && (text.startsWith("0x") || text.startsWith("0X"))) {
    number = text.mid(2).toLongLong(&ok, 16);
  } else if (text.size() > 1 && text.startsWith('$')) {
    number = text.mid(1).toLongLong(&ok, 16);
  } else {
    number = text.toLongLong(&ok, 10);
  }
  if (!ok || number < INT_MIN || number > INT_MAX) return defaultValue;
  return static_cast<int>(number);
}

}  // namespace IniLines
