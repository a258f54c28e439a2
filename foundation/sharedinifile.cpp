#include "sharedinifile.h"

#include "inifile.h"
#include "inilines.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

using namespace IniLines;

namespace {

// Every live file, by its canonical path without regard to letter case.
QHash<QString, TUniqueIniFile*>& Registry() {
  static QHash<QString, TUniqueIniFile*> registry;
  return registry;
}

QString RegistryKey(const QString& path) { return path.toCaseFolded(); }

QByteArray EntryName(const QByteArray& entry) {
  const qsizetype equals = entry.indexOf('=');
  return equals < 0 ? QByteArray() : entry.left(equals);
}

// The name of `component` inside `folder` as the file system writes it: the
// exact name when it exists, else the first match without regard to case.
QString ExistingCase(const QString& folder, const QString& component) {
  QDir dir(folder);
  if (dir.exists(component)) return component;
  const QStringList names = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  for (const QString& name : names) {
    if (name.compare(component, Qt::CaseInsensitive) == 0) return name;
  }
  return QString();
}

}  // namespace

QString CanonicalIniPath(const QString& fileName) {
  QString name = fileName.isEmpty() ? QStringLiteral("WIN.INI") : fileName;
  name.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (!name.contains(QLatin1Char('/'))) name = QDir(PerUserConfigFolder()).filePath(name);
  const QString full = QDir::cleanPath(QFileInfo(name).absoluteFilePath());

  // Walk down from the root; components that cannot be found stay as written.
  QStringList parts = full.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  QString current = QStringLiteral("/");
  bool found = true;
  for (QString& part : parts) {
    if (found) {
      const QString actual = ExistingCase(current, part);
      if (actual.isEmpty()) {
        found = false;
      } else {
        part = actual;
      }
    }
    current = QDir(current).filePath(part);
  }
  return QStringLiteral("/") + parts.join(QLatin1Char('/'));
}

void TUniqueIniFile::LoadFromBytes(const QByteArray& contents) {
  preamble_.clear();
  sections_.clear();
  sectionOfName_.clear();
  Section* current = nullptr;
  for (const QByteArray& raw : SplitLines(contents)) {
    const QByteArray line = Trimmed(raw);
    const QByteArray name = SectionName(line);
    if (!name.isNull()) {
      current = FindSection(name);
      if (!current) {
        sectionOfName_.insert(FoldCase(name), sections_.size());
        sections_.push_back(Section{name, {}, {}});
        current = &sections_.back();
      }
    } else if (!current) {
      preamble_.append(line);
    } else if (!line.isEmpty()) {
      current->entries.append(line);
    }
  }
  for (Section& section : sections_) IndexEntries(section);
  modified_ = false;
}

void TUniqueIniFile::IndexEntries(Section& section) {
  section.firstEntryOfKey.clear();
  for (qsizetype i = 0; i < section.entries.size(); ++i) {
    const qsizetype equals = section.entries[i].indexOf('=');
    if (equals < 0) continue;
    const QByteArray key = FoldCase(section.entries[i].left(equals));
    if (!section.firstEntryOfKey.contains(key)) section.firstEntryOfKey.insert(key, i);
  }
}

QByteArray TUniqueIniFile::SaveToBytes() const {
  QByteArray out;
  for (const QByteArray& line : preamble_) out += line + "\r\n";
  bool first = true;
  for (const Section& section : sections_) {
    if (!first) out += "\r\n";
    first = false;
    out += '[' + section.name + "]\r\n";
    for (const QByteArray& entry : section.entries) out += entry + "\r\n";
  }
  return out;
}

TUniqueIniFile::Section* TUniqueIniFile::FindSection(const QByteArray& name) {
  const auto it = sectionOfName_.constFind(FoldCase(name));
  return it == sectionOfName_.constEnd() ? nullptr : &sections_[*it];
}

const TUniqueIniFile::Section* TUniqueIniFile::FindSection(const QByteArray& name) const {
  const auto it = sectionOfName_.constFind(FoldCase(name));
  return it == sectionOfName_.constEnd() ? nullptr : &sections_[*it];
}

QByteArray TUniqueIniFile::Read(const QByteArray& section, const QByteArray& key) const {
  const Section* s = FindSection(section);
  if (!s) return QByteArray();
  const auto it = s->firstEntryOfKey.constFind(FoldCase(key));
  if (it == s->firstEntryOfKey.constEnd()) return QByteArray();
  const QByteArray& entry = s->entries[*it];
  return entry.mid(entry.indexOf('=') + 1);
}

void TUniqueIniFile::Write(const QByteArray& section, const QByteArray& key, const QByteArray& value) {
  modified_ = true;
  if (key.isEmpty()) {
    EraseSection(section);
    return;
  }
  Section* s = FindSection(section);
  if (!s) {
    if (value.isEmpty()) return;
    sectionOfName_.insert(FoldCase(section), sections_.size());
    sections_.push_back(Section{section, {}, {}});
    s = &sections_.back();
  }
  QByteArray single = value;
  single.replace('\r', ' ');
  single.replace('\n', ' ');
  const QByteArray folded = FoldCase(key);
  const auto it = s->firstEntryOfKey.constFind(folded);
  if (value.isEmpty()) {
    if (it == s->firstEntryOfKey.constEnd()) return;
    s->entries.removeAt(*it);
    IndexEntries(*s);
  } else if (it != s->firstEntryOfKey.constEnd()) {
    s->entries[*it] = key + '=' + single;
  } else {
    s->firstEntryOfKey.insert(folded, s->entries.size());
    s->entries.append(key + '=' + single);
  }
}

void TUniqueIniFile::EraseSection(const QByteArray& section) {
  modified_ = true;
  const auto it = sectionOfName_.constFind(FoldCase(section));
  if (it == sectionOfName_.constEnd()) return;
  sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(*it));
  sectionOfName_.clear();
  for (std::size_t i = 0; i < sections_.size(); ++i) sectionOfName_.insert(FoldCase(sections_[i].name), i);
}

QByteArrayList TUniqueIniFile::SectionKeys(const QByteArray& section) const {
  QByteArrayList keys;
  if (const Section* s = FindSection(section)) {
    for (const QByteArray& entry : s->entries) {
      if (entry.contains('=')) keys.append(EntryName(entry));
    }
  }
  return keys;
}

QByteArrayList TUniqueIniFile::SectionNames() const {
  QByteArrayList names;
  for (const Section& section : sections_) names.append(section.name);
  return names;
}

bool TUniqueIniFile::Save() {
  if (loadFailed) return false;
  if (!WriteFileAtomically(path_, SaveToBytes())) return false;
  modified_ = false;
  return true;
}

TSharedIniFile::TSharedIniFile(const QString& fileName) {
  const QString path = CanonicalIniPath(fileName);
  auto& registry = Registry();
  const QString key = RegistryKey(path);
  auto it = registry.find(key);
  if (it == registry.end()) {
    auto file = std::make_unique<TUniqueIniFile>(path);
    QByteArray contents;
    file->loadFailed = !ReadFile(path, contents);
    file->LoadFromBytes(contents);
    it = registry.insert(key, file.release());
  }
  file_ = *it;
  ++file_->users;
}

TSharedIniFile::~TSharedIniFile() {
  if (--file_->users > 0) return;
  Registry().remove(RegistryKey(file_->Path()));
  if (file_->Modified()) file_->Save();
  delete file_;
}

QByteArray TSharedIniFile::ReadString(const QByteArray& section, const QByteArray& key,
                                      const QByteArray& defaultValue) const {
  const QByteArray value = file_->Read(section, key);
  return value.isEmpty() ? defaultValue : value;
}

int TSharedIniFile::ReadInteger(const QByteArray& section, const QByteArray& key, int defaultValue) const {
  const QByteArray value = file_->Read(section, key);
  return value.isEmpty() ? defaultValue : ParseInteger(value, defaultValue);
}

void TSharedIniFile::WriteString(const QByteArray& section, const QByteArray& key, const QByteArray& value) {
  if (section.isNull() && key.isNull() && value.isNull()) {
    UpdateFile();
    return;
  }
  file_->Write(section, key, value);
}

void TSharedIniFile::EraseSection(const QByteArray& section) { file_->EraseSection(section); }

QByteArrayList TSharedIniFile::ReadSection(const QByteArray& section) const { return file_->SectionKeys(section); }

bool TSharedIniFile::UpdateFile() { return file_->Save(); }

const QString& TSharedIniFile::Path() const { return file_->Path(); }
