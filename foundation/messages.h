#pragma once

#include <QString>

// The title of the program's message boxes.
inline const QString ApplicationTitle = QStringLiteral("Pelano de Esperanto");

// Texts of the dialogs and hints that belong to no window's layout.
struct MessageTable {
  QString smGratulon;
  QString smDenove;
  QString smModifis;
  QString smTondujo;
  QString smDevasHaviKor;
  QString smKoverto;
  QString smDisketo;
  QString smPordo;
  QString smLigilo;
  QString smNeSono;
};

// Captions of the main menu's six text buttons.
struct MenuCaptions {
  QString KioEstas;
  QString KielUzi;
  QString Konfigurado;
  QString Kreditoj;
  QString Eliri;
  QString KieButono;
};

MessageTable& Messages();
MenuCaptions& MenuTexts();

// Portuguese, as built into the course.
void SetBuiltInMessages();
// From the translation in force (sections Mesagxoj, Menuo and Traduko).
void ReadMessagesFromTranslation();
