#include "settings.h"

#include "programpaths.h"

#include <QFile>
#include <QFileInfo>

namespace {

std::unique_ptr<TIniFile> gSettingsFile;
bool gSettingsReadOnly = false;

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
  const QString besideProgram = ProgramFolder() + SettingsFileName;
  const bool exists = QFileInfo::exists(besideProgram);
  const bool folderWritable = QFileInfo(ProgramFolder()).isWritable();
  gSettingsReadOnly = exists ? HasReadOnlyAttribute(besideProgram) : !folderWritable;
  gSettingsFile = std::make_unique<TIniFile>(gSettingsReadOnly ? SettingsFileName : besideProgram);
}

void CloseSettingsFile() { gSettingsFile.reset(); }

void ReadSettings() {
  using namespace SettingsKeys;
  const TIniFile& file = *gSettingsFile;
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
}
