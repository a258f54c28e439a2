#pragma once

#include <QString>
#include <QStringList>

// Where translation files live: the course's own beside the program, in
// tradukoj/, and a translator's in the per-user data folder (XDG data home,
// pelano/tradukoj/), where a file of the same name overrides the shipped
// one and a new language may start as a copy of the template. A translator's
// work is only ever written there, never beside the program.

// The per-user folder, with a trailing separator; it may not exist yet.
QString UserTranslationFolder();
// Puts the per-user folder elsewhere (tests); empty for the usual place.
void SetUserTranslationFolder(const QString& folder);

// The file a translation is read from: the translator's copy when there is
// one, else the shipped file.
QString TranslationFilePath(const QString& fileName);

// The translation files of both folders, each name once, sorted as the
// language lists show them.
QStringList TranslationFileNames();

// The translator's copy of `fileName`, made from the file now read (which
// may be the shipped one) when it does not exist yet. Empty when it cannot
// be made.
QString UserTranslationCopy(const QString& fileName);
