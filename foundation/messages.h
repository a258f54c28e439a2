#pragma once

#include <QByteArrayList>
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
  // Failures the learner must know of; "%1" stands for a file, folder or address.
  QString smNeSalvis;
  QString smNeSalvisRespondojn;
  QString smJamMalfermita;
  QString smNeRegistris;
  QString smNeDokumento;
  QString smNeRetejo;
  QString smNeRetposxto;
  QString smNeEkzerco;
  // Progress in the drills.
  QString smRestarigi;        // the question before the progress is erased
  QString smRezultoj;         // heading of the drill results in the message to the Monitor
  QString smAprobitaj;        // beside a lesson in the main menu; "%1" is "passed/drills"
  QString smEkzamenoSendita;  // beside the final exam once it was sent
};

// The keys of the message table in section Mesagxoj, in file order.
QByteArrayList MessageKeys();
// The Portuguese text of a message, as built into the course; empty for an
// unknown key.
QString BuiltInMessage(const QByteArray& key);

// A message that names a file, folder or address in place of "%1"; a
// translation that lost its "%1" still shows the name, on a line of its own.
QString MessageNaming(const QString& message, const QString& name);

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
