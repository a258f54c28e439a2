#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A settings-style INI file read and written a key at a time: every read goes
// to the file on disk and every write is on disk when the call returns. The
// reading rules are those of the classic profile functions: blanks around
// names and values are dropped, one pair of enclosing quotes or apostrophes is
// removed, the first of duplicate sections and keys wins, names match without
// regard to letter case, and lines beginning with ";" are comments.
//
// A section header is "[" up to the last "]" of its line, so that text after
// the closing bracket ("[Form3] ; answers") does not hide the section.
//
// Section and key names are bytes, compared as stored (the settings section's
// name is not ASCII). Text values are read as UTF-8 when well-formed, else as
// Windows-1252, and written as UTF-8.
class TIniFile {
 public:
  // A bare file name (no folder) lies in the per-user configuration folder.
  // While the file does not exist, `seedFile` (when given) stands in for it:
  // reads come from there, and the first write starts from its contents.
  explicit TIniFile(const QString& fileName, const QString& seedFile = QString());

  const QString& FileName() const { return path_; }

  // A copy holding the file's contents as they are now, for reading many
  // keys at once: its reads go to that copy, not to the disk, and its writes
  // are refused (they return false and change nothing).
  TIniFile Snapshot() const;

  QString ReadString(const QByteArray& section, const QByteArray& key, const QString& defaultValue) const;
  QByteArray ReadBytes(const QByteArray& section, const QByteArray& key, const QByteArray& defaultValue) const;
  int ReadInteger(const QByteArray& section, const QByteArray& key, int defaultValue) const;
  bool ReadBool(const QByteArray& section, const QByteArray& key, bool defaultValue) const;
  // Names of the keys of a section in file order; empty when it is absent.
  QByteArrayList ReadSection(const QByteArray& section) const;
  bool SectionExists(const QByteArray& section) const;

  // Each write returns false when the file could not be written; the file on
  // disk is then unchanged.
  bool WriteString(const QByteArray& section, const QByteArray& key, const QString& value);
  bool WriteBytes(const QByteArray& section, const QByteArray& key, const QByteArray& value);
  bool WriteInteger(const QByteArray& section, const QByteArray& key, int value);
  bool WriteBool(const QByteArray& section, const QByteArray& key, bool value);
  bool DeleteKey(const QByteArray& section, const QByteArray& key);
  bool EraseSection(const QByteArray& section);

  // Writes several values with one replacement of the file: afterwards the
  // file holds all of them or, when false is returned, none.
  struct Write {
    QByteArray section;
    QByteArray key;
    QByteArray value;
  };
  bool WriteAll(const QList<Write>& writes);

 private:
  bool ReadContents(QByteArray& contents) const;  // false when the file exists but cannot be read
  QByteArray Contents() const;

  QString path_;
  QString seed_;
  std::optional<QByteArray> held_;
};

// The folder that holds INI files named without a folder.
QString PerUserConfigFolder();
