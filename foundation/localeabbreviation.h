#pragma once

#include <QLocale>
#include <QString>

// The three-letter language abbreviation the desktop platforms use for a
// locale: two letters of language and one of country or variant, such as
// "PTB" for Brazilian Portuguese or "ENU" for English (United States).
// An unknown language gives its ISO 639 code in upper case.
QString LanguageAbbreviation(const QLocale& locale);
