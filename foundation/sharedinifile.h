#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <QString>

#include <vector>

// One INI file held in memory, shared by every handle on the same path.
// Entry lines are kept exactly as read (trimmed); a key matches an entry when
// the text before the entry's first "=" equals it, letter case ignored.
class TUniqueIniFile {
 public:
  explicit TUniqueIniFile(QString path) : path_(std::move(path)) {}

  // Parses file contents, replacing whatever the object held.
  void LoadFromBytes(const QByteArray& contents);
  QByteArray SaveToBytes() const;

  QByteArray Read(const QByteArray& section, const QByteArray& key) const;  // empty when missing
  void Write(const QByteArray& section, const QByteArray& key, const QByteArray& value);
  void EraseSection(const QByteArray& section);
  QByteArrayList SectionKeys(const QByteArray& section) const;
  QByteArrayList SectionNames() const;

  const QString& Path() const { return path_; }
  bool Modified() const { return modified_; }
  // Writes the file now, modified or not; false when it could not be written
  // or was never read completely (saving it would lose what it holds).
  bool Save();

  int users = 0;
  bool loadFailed = false;

 private:
  struct Section {
    QByteArray name;
    QByteArrayList entries;
    QHash<QByteArray, qsizetype> firstEntryOfKey;  // folded key → index in entries
  };
  Section* FindSection(const QByteArray& name);
  const Section* FindSection(const QByteArray& name) const;
  static void IndexEntries(Section& section);

  QString path_;
  QByteArrayList preamble_;
  std::vector<Section> sections_;
  QHash<QByteArray, std::size_t> sectionOfName_;  // folded name → index in sections_
  bool modified_ = false;
};

// A handle on the shared in-memory copy of an INI file (translation files and
// their reference files). Changes reach the disk on UpdateFile, or when the
// last handle on a modified file is destroyed.
class TSharedIniFile {
 public:
  // A bare file name lies in the per-user configuration folder; an empty one
  // stands for "WIN.INI" there.
  explicit TSharedIniFile(const QString& fileName);
  ~TSharedIniFile();
  TSharedIniFile(const TSharedIniFile&) = delete;
  TSharedIniFile& operator=(const TSharedIniFile&) = delete;

  QByteArray ReadString(const QByteArray& section, const QByteArray& key, const QByteArray& defaultValue) const;
  int ReadInteger(const QByteArray& section, const QByteArray& key, int defaultValue) const;
  // An empty value removes the entry; an empty key removes the whole section.
  void WriteString(const QByteArray& section, const QByteArray& key, const QByteArray& value);
  void EraseSection(const QByteArray& section);
  QByteArrayList ReadSection(const QByteArray& section) const;
  bool UpdateFile();
  const QString& Path() const;

 private:
  TUniqueIniFile* file_;
};

// The full path of an INI file name, with the letter case of every existing
// folder and of the file as the file system has them.
QString CanonicalIniPath(const QString& fileName);
