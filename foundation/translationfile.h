#pragma once

#include "sharedinifile.h"

#include <QString>
#include <QStringList>

// The marker of every text missing from a translation: shown as it is, so
// that a translator sees what is still to be done.
inline const QString NotTranslated = QStringLiteral("Ne Tradukita");

// The translation file in force, absent while the language is Portuguese.
TSharedIniFile* TranslationFile();
void OpenTranslationFile(const QString& path);
void CloseTranslationFile();

// A text of the translation in force: "Ne Tradukita" when the key is missing
// or empty, and also when no translation is open.
QString ReadCaption(const QByteArray& section, const QByteArray& key);
