#include "lessonfixture.h"

QByteArray BuiltFile(const QString& relative) { return ReadFileBytes(QStringLiteral(PELANO_PROGRAM_DIR) + relative); }

LessonFiles::LessonFiles(const QStringList& dataFiles, const QStringList& standIns) {
  for (const QString& data : dataFiles) folder.Write("ekzercoj/" + data, BuiltFile("ekzercoj/" + data));
  for (const QString& standIn : standIns) folder.Write(standIn, "");
  OpenSettingsFile();
}

LessonFiles::~LessonFiles() { CloseSettingsFile(); }
