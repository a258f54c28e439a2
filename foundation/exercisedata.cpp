#include "exercisedata.h"

#include "inifile.h"
#include "programpaths.h"
#include "settings.h"
#include "storedtext.h"
#include "translationfile.h"

QString ExerciseDataFile(const QString& code) {
  return DataPath(QStringLiteral("ekzercoj\\ekz") + code.left(2) + QStringLiteral(".dat"));
}

namespace {

void StoreItem(QStringList& items, int index, const QString& text) {
  while (items.size() <= index) items.append(QString());
  items[index] = text;
}

}  // namespace

int LoadExerciseItems(QStringList& items, const QString& code, const QString& suffix) {
  if (suffix == QLatin1String("T") && CurrentSettings().Lingvo != Portuguese) {
    const QByteArray section = "Ekzerco-" + code.toUtf8();
    const TSharedIniFile* translation = TranslationFile();
    const int count =
        translation ? int(qMin<qsizetype>(translation->ReadSection(section).size(), MaxExerciseItems)) : 0;
    for (int i = 0; i < count; ++i) StoreItem(items, i, ReadCaption(section, QByteArray::number(i)));
    return count;
  }
  const TIniFile data(ExerciseDataFile(code));
  const QByteArray section = (code + suffix).toUtf8();
  const QByteArrayList keys = data.ReadSection(section);
  const int count = int(qMin<qsizetype>(keys.size(), MaxExerciseItems));
  for (int i = 0; i < count; ++i)
    StoreItem(items, i, DecodeTranslation(data.ReadBytes(section, keys[i], QByteArray())));
  return count;
}

QStringList SplitRecordFields(const QString& value) { return value.split(QLatin1Char('~')); }

int LoadExerciseRecords(ExerciseRecords& records, const QString& code, const QString& suffix) {
  for (ExerciseRecord& record : records) record.fill(QString());
  const TIniFile data(ExerciseDataFile(code));
  const QByteArray section = (code + suffix).toUtf8();
  const QByteArrayList keys = data.ReadSection(section);
  const int count = int(qMin<qsizetype>(keys.size(), MaxExerciseItems));
  for (int i = 0; i < count; ++i) {
    const QStringList fields = SplitRecordFields(DecodeTranslation(data.ReadBytes(section, keys[i], QByteArray())));
    for (int f = 0; f < fields.size() && f < MaxRecordFields; ++f) records[i][f] = fields[f];
  }
  return count;
}
