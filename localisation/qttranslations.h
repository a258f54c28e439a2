#pragma once

#include <QString>

// Makes Qt's own texts (the buttons of message boxes and dialogs: "Yes",
// "No", "Cancel", "OK" …) speak the course language. `languageId` is the
// language of the course as a translation file names it in LingvoID ("EN",
// "ES", "pt_BR" for the built-in Portuguese). Qt's own translations, as the
// system ships them, are taken when they exist for that language; for a
// language Qt lacks, the captions of the section [QtButonoj] of the
// translation in force stand in, and any caption missing there stays Qt's.
void SpeakQtInCourseLanguage(const QString& languageId);
