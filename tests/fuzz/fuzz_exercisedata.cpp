// Fuzz target: exercise records and the drill items of a translation, both
// files a translator or user may replace. The files lie on a memory file
// system where there is one, so that the target never waits for a disk.
#include "exercisedata.h"
#include "programpaths.h"
#include "settings.h"
#include "translationfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

QTemporaryDir& Folder() {
  static QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists()
                                  ? QStringLiteral("/dev/shm/pelano-fuzz-XXXXXX")
                                  : QDir::tempPath() + QStringLiteral("/pelano-fuzz-XXXXXX"));
  return folder;
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QTemporaryDir& folder = Folder();
  QDir().mkpath(folder.filePath(QStringLiteral("ekzercoj")));
  QDir().mkpath(folder.filePath(QStringLiteral("tradukoj")));
  SetProgramFolder(folder.path());
  Write(folder.filePath(QStringLiteral("ekzercoj/ekz01.dat")), bytes);
  Write(folder.filePath(QStringLiteral("tradukoj/fuzz.trd")), bytes);

  ExerciseRecords records;
  for (const char* suffix : {"D", "R", "K"}) {
    const int count = LoadExerciseRecords(records, QStringLiteral("0101"), QLatin1String(suffix));
    if (count < 0 || count > MaxExerciseItems) __builtin_trap();
  }

  // Items of a translation come from the translation file in force.
  CurrentSettings().Lingvo = QStringLiteral("Fuzz");
  OpenTranslationFile(folder.filePath(QStringLiteral("tradukoj/fuzz.trd")));
  QStringList items;
  const int count = LoadExerciseItems(items, QStringLiteral("0101"), QStringLiteral("T"));
  if (count < 0 || count > MaxExerciseItems || items.size() < count) __builtin_trap();
  for (int i = 0; i < count; ++i) SplitRecordFields(items[i]);
  CloseTranslationFile();
  return 0;
}
