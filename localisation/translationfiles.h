#pragma once

#include <QByteArray>
#include <QString>

class TSharedIniFile;

// What a missing reference file, section or key shows as source text.
inline const QString ReferenceNotFound = QStringLiteral("ne trovita");

// The reference file of a window section, "tradukoj\" + section + ".tdf"
// beside the program.
QString ReferenceFilePath(const QString& section);

// The source text of `key` in an open reference file: its key `caption`.
QString ReadReference(const TSharedIniFile& reference, const QString& key);

// Stores a translation in the translation file in force and writes the file
// at once. False when nothing could be written (no translation in force, a
// read-only file, a failed write); the file on disk and what later windows
// read are then left as they were.
bool StoreTranslation(const QString& section, const QString& key, const QString& text);

// What the translator is told when a translation could not be saved.
QString TranslationNotSavedText(const QString& fileName);
