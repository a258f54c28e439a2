#include "inifile.h"

#include "inilines.h"
#include "storedtext.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>

using namespace IniLines;

namespace {

struct Entry {
  QByteArray key;
  QByteArray value;
};

// Splits "key = value" at its first "=" with the profile functions' rules.
std::optional<Entry> ParseEntry(const QByteArray& trimmedLine) {
  if (trimmedLine.startsWith(';')) return std::nullopt;
  const qsizetype equals = trimmedLine.indexOf('=');
  if (equals < 0) return std::nullopt;
  Entry entry{Trimmed(trimmedLine.left(equals)), Trimmed(trimmedLine.mid(equals + 1))};
  const QByteArray& v = entry.value;
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    entry.value = v.mid(1, v.size() - 2);
  }
  return entry;
}

// A value that the reading rules would change (blanks at its ends, its own
// enclosing quotes) is stored inside one more pair of quotes, so it reads back
// exactly as written.
QByteArray ProtectValue(const QByteArray& value) {
  if (value.isEmpty()) return value;
  const bool blankAtEnd = Trimmed(value).size() != value.size();
  const bool quoted =
      value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
  if (blankAtEnd || quoted) return '"' + value + '"';
  return value;
}

// The classic profile functions take a section name up to the last "]" of
// its line, whatever follows it; null for a line that is no header.
QByteArray HeaderName(const QByteArray& trimmedLine) {
  if (!trimmedLine.startsWith('[')) return QByteArray();
  const qsizetype close = trimmedLine.lastIndexOf(']');
  if (close < 1) return QByteArray();
  QByteArray name = trimmedLine.mid(1, close - 1);
  if (name.isNull()) name = QByteArray("");
  return name;
}

// A line break inside a value would end the entry and could inject others.
QByteArray SingleLine(QByteArray bytes) {
  bytes.replace('\r', ' ');
  bytes.replace('\n', ' ');
  return bytes;
}

// The lines of a file as a sequence of sections, kept as written so that a
// write changes only the line it must.
class IniDocument {
 public:
  explicit IniDocument(const QByteArray& contents) : lines_(SplitLines(contents)) {}

  const QByteArrayList& Lines() const { return lines_; }

  // Index of the header line of the first section of that name, or -1.
  qsizetype FindSection(const QByteArray& section) const {
    for (qsizetype i = 0; i < lines_.size(); ++i) {
      const QByteArray name = HeaderName(Trimmed(lines_[i]));
      if (!name.isNull() && EqualIgnoringCase(Trimmed(name), section)) return i;
    }
    return -1;
  }

  // One past the last line of the section whose header is at `header`.
  qsizetype SectionEnd(qsizetype header) const {
    qsizetype i = header + 1;
    while (i < lines_.size() && HeaderName(Trimmed(lines_[i])).isNull()) ++i;
    return i;
  }

  qsizetype FindKey(qsizetype header, const QByteArray& key) const {
    const qsizetype end = SectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
      const auto entry = ParseEntry(Trimmed(lines_[i]));
      if (entry && EqualIgnoringCase(entry->key, key)) return i;
    }
    return -1;
  }

  std::optional<QByteArray> Value(const QByteArray& section, const QByteArray& key) const {
    const qsizetype header = FindSection(section);
    if (header < 0) return std::nullopt;
    const qsizetype line = FindKey(header, key);
    if (line < 0) return std::nullopt;
    return ParseEntry(Trimmed(lines_[line]))->value;
  }

  QByteArrayList Keys(const QByteArray& section) const {
    QByteArrayList keys;
    const qsizetype header = FindSection(section);
    if (header < 0) return keys;
    const qsizetype end = SectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
      const auto entry = ParseEntry(Trimmed(lines_[i]));
      if (entry && !entry->key.isEmpty()) keys.append(entry->key);
    }
    return keys;
  }

  void Set(const QByteArray& section, const QByteArray& key, const QByteArray& value) {
    const QByteArray line = key + '=' + ProtectValue(SingleLine(value));
    qsizetype header = FindSection(section);
    if (header < 0) {
      if (!lines_.isEmpty() && !Trimmed(lines_.back()).isEmpty()) lines_.append(QByteArray());
      lines_.append('[' + section + ']');
      lines_.append(line);
      return;
    }
    const qsizetype existing = FindKey(header, key);
    if (existing >= 0) {
      lines_[existing] = line;
      return;
    }
    qsizetype insertAt = SectionEnd(header);
    while (insertAt > header + 1 && Trimmed(lines_[insertAt - 1]).isEmpty()) --insertAt;
    lines_.insert(insertAt, line);
  }

  bool Remove(const QByteArray& section, const QByteArray& key) {
    const qsizetype header = FindSection(section);
    if (header < 0) return false;
    const qsizetype line = FindKey(header, key);
    if (line < 0) return false;
    lines_.removeAt(line);
    return true;
  }

  bool RemoveSection(const QByteArray& section) {
    const qsizetype header = FindSection(section);
    if (header < 0) return false;
    lines_.erase(lines_.begin() + header, lines_.begin() + SectionEnd(header));
    return true;
  }

 private:
  QByteArrayList lines_;
};

}  // namespace

QString PerUserConfigFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation); }

TIniFile::TIniFile(const QString& fileName, const QString& seedFile) : seed_(seedFile) {
  const bool bare = !fileName.contains(QLatin1Char('/')) && !fileName.contains(QLatin1Char('\\'));
  path_ = bare ? QDir(PerUserConfigFolder()).filePath(fileName) : fileName;
}

TIniFile TIniFile::Snapshot() const {
  TIniFile snapshot = *this;
  snapshot.held_ = Contents();
  return snapshot;
}

bool TIniFile::ReadContents(QByteArray& contents) const {
  if (held_) {
    contents = *held_;
    return true;
  }
  if (!seed_.isEmpty() && !QFileInfo::exists(path_)) return ReadFile(seed_, contents);
  return ReadFile(path_, contents);
}

QByteArray TIniFile::Contents() const {
  QByteArray contents;
  ReadContents(contents);
  return contents;
}

QByteArray TIniFile::ReadBytes(const QByteArray& section, const QByteArray& key, const QByteArray& defaultValue) const {
  return IniDocument(Contents()).Value(section, key).value_or(defaultValue);
}

QString TIniFile::ReadString(const QByteArray& section, const QByteArray& key, const QString& defaultValue) const {
  const auto value = IniDocument(Contents()).Value(section, key);
  return value ? DecodeSettingsText(*value) : defaultValue;
}

int TIniFile::ReadInteger(const QByteArray& section, const QByteArray& key, int defaultValue) const {
  const auto value = IniDocument(Contents()).Value(section, key);
  return value ? ParseInteger(*value, defaultValue) : defaultValue;
}

bool TIniFile::ReadBool(const QByteArray& section, const QByteArray& key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

QByteArrayList TIniFile::ReadSection(const QByteArray& section) const { return IniDocument(Contents()).Keys(section); }

bool TIniFile::SectionExists(const QByteArray& section) const {
  return IniDocument(Contents()).FindSection(section) >= 0;
}

bool TIniFile::WriteAll(const QList<Write>& writes) {
  if (held_) return false;
  QByteArray contents;
  if (!ReadContents(contents)) return false;
  IniDocument document(contents);
  for (const Write& write : writes) document.Set(write.section, write.key, write.value);
  return WriteLinesAtomically(path_, document.Lines());
}

bool TIniFile::WriteBytes(const QByteArray& section, const QByteArray& key, const QByteArray& value) {
  return WriteAll({{section, key, value}});
}

bool TIniFile::WriteString(const QByteArray& section, const QByteArray& key, const QString& value) {
  return WriteBytes(section, key, value.toUtf8());
}

bool TIniFile::WriteInteger(const QByteArray& section, const QByteArray& key, int value) {
  return WriteBytes(section, key, QByteArray::number(value));
}

bool TIniFile::WriteBool(const QByteArray& section, const QByteArray& key, bool value) {
  return WriteInteger(section, key, value ? 1 : 0);
}

bool TIniFile::DeleteKey(const QByteArray& section, const QByteArray& key) {
  if (held_) return false;
  QByteArray contents;
  if (!ReadContents(contents)) return false;
  IniDocument document(contents);
  if (!document.Remove(section, key)) return true;
  return WriteLinesAtomically(path_, document.Lines());
}

bool TIniFile::EraseSection(const QByteArray& section) {
  if (held_) return false;
  QByteArray contents;
  if (!ReadContents(contents)) return false;
  IniDocument document(contents);
  if (!document.RemoveSection(section)) return true;
  return WriteLinesAtomically(path_, document.Lines());
}
