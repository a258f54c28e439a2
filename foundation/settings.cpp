#include "settings.h"

#include "copylock.h"
#include "programpaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

std::unique_ptr<TIniFile> gSettingsFile;
std::unique_ptr<CopyLock> gSettingsLock;
bool gSettingsReadOnly = false;

// An atomic save replaces the file in one rename, which needs the folder too.
bool ThisUserCanReplace(const QString& path) {
  const QFileInfo file(path);
  const QFileInfo folder(file.absolutePath());
  return !HasReadOnlyAttribute(path) && file.isWritable() && folder.isWritable();
}

// Removes the new copies that saves of `path` interrupted by a crash left
// beside it: the file's name and six letters or digits.
void RemoveUnfinishedSaves(const QString& path) {
  const QFileInfo file(path);
  const QString prefix = file.fileName() + QLatin1Char('.');
  // A plain comparison: this runs before the main menu first paints, where
  // building a pattern costs more than the whole search.
  const auto unfinished = [&prefix](const QString& name) {
    if (name.size() != prefix.size() + 6 || !name.startsWith(prefix)) return false;
    return std::all_of(name.begin() + prefix.size(), name.end(),
                       [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); });
  };
  QDir folder = file.absoluteDir();
  for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
    if (unfinished(name)) folder.remove(name);
  }
}

}  // namespace

Settings& CurrentSettings() {
  static Settings settings;
  return settings;
}

TIniFile* SettingsFile() { return gSettingsFile.get(); }
bool SettingsReadOnly() { return gSettingsReadOnly; }

bool HasReadOnlyAttribute(const QString& path) {
  constexpr auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
  return (QFile::permissions(path) & anyWrite) == 0;
}

void OpenSettingsFile() {
  CloseSettingsFile();
  const QString besideProgram = ProgramFolder() + SettingsFileName;
  const bool exists = QFileInfo::exists(besideProgram);
  const bool folderWritable = QFileInfo(ProgramFolder()).isWritable();
  gSettingsReadOnly = exists ? !ThisUserCanReplace(besideProgram) : !folderWritable;
  if (gSettingsReadOnly) {
    gSettingsFile = std::make_unique<TIniFile>(SettingsFileName, exists ? besideProgram : QString());
  } else {
    gSettingsFile = std::make_unique<TIniFile>(besideProgram);
  }
}

void CloseSettingsFile() {
  gSettingsLock.reset();
  gSettingsFile.reset();
}

bool LockSettingsFile() {
  if (!gSettingsFile) return false;
  if (gSettingsLock) return true;
  QDir().mkpath(QFileInfo(gSettingsFile->FileName()).absolutePath());
  // A lock lasts as long as its copy of the course runs, however long; one
  // whose process has ended is taken over.
  switch (CopyLock::Take(gSettingsFile->FileName() + QStringLiteral(".lock"), gSettingsLock)) {
    case CopyLock::Outcome::HeldElsewhere: return false;
    case CopyLock::Outcome::Impossible:
      // Where no lock can be made, nothing can be saved either: no copy can
      // overwrite another's saves, and this one goes on without the lock.
      return true;
    case CopyLock::Outcome::Taken: break;
  }
  RemoveUnfinishedSaves(gSettingsFile->FileName());
  return true;
}

void ReadSettings() {
  using namespace SettingsKeys;
  const TIniFile file = gSettingsFile->Snapshot();
  Settings& s = CurrentSettings();
  // An empty language or font name means nothing; it reads as the default.
  s.Lingvo = file.ReadString(General, Lingvo, QString());
  if (s.Lingvo.isEmpty()) s.Lingvo = Portuguese;
  s.Tiparo = file.ReadString(General, Tiparo, QString());
  if (s.Tiparo.isEmpty()) s.Tiparo = QStringLiteral("Arial");
  s.Dosiero = file.ReadString(General, Dosiero, QString());
  s.Korektanto = file.ReadBool(General, Korektanto, false);
  s.Capeligo = file.ReadBool(General, Capeligo, true);
  s.Nomo = file.ReadString(General, Nomo, QString());
  s.Adreso = file.ReadString(General, Adreso, QString());
  s.Sistemo = file.ReadInteger(General, Sistemo, 0);
  s.LastaLeciono = file.ReadInteger(General, LastaLeciono, 1);
  s.LastaPagxo = file.ReadInteger(General, LastaPagxo, 1);
  s.Tradukilo = file.ReadBool(General, Tradukilo, false);
  s.SenduRezultojn = file.ReadBool(General, SenduRezultojn, false);
}
