#include "translationfile.h"

#include "storedtext.h"

#include <memory>

namespace {
std::unique_ptr<TSharedIniFile> gTranslationFile;
}

TSharedIniFile* TranslationFile() { return gTranslationFile.get(); }

void OpenTranslationFile(const QString& path) {
  // The new handle is made first, so reopening the same file keeps its cache.
  auto file = std::make_unique<TSharedIniFile>(path);
  gTranslationFile = std::move(file);
}

void CloseTranslationFile() { gTranslationFile.reset(); }

QString ReadCaption(const QByteArray& section, const QByteArray& key) {
  if (!gTranslationFile) return NotTranslated;
  return DecodeTranslation(gTranslationFile->ReadString(section, key, NotTranslated.toUtf8()));
}
