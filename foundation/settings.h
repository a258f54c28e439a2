#pragma once

#include "inifile.h"

#include <QByteArray>
#include <QString>

#include <memory>

// The learner's settings in memory, each named after its key in konfig.ini.
struct Settings {
  QString Lingvo = QStringLiteral("Português");
  QString Tiparo = QStringLiteral("Arial");
  QString Dosiero;
  bool Korektanto = false;
  bool Capeligo = true;  // key Ĉapeligo
  QString Nomo;
  QString Adreso;
  int Sistemo = 0;
  int LastaLeciono = 1;
  int LastaPagxo = 1;
  bool Tradukilo = false;
  bool SenduRezultojn = false;  // the message to the Monitor ends with the lesson's drill results
  QString Tradukinto;           // translator's name, from the translation in force
};

Settings& CurrentSettings();

namespace SettingsKeys {
// Section and hat-typing key are stored as their ISO-8859-3 bytes
// ("Ĝenerala", "Ĉapeligo"), exactly as earlier versions of the course wrote them.
inline const QByteArray General = QByteArrayLiteral(
    "\xD8"
    "enerala");
inline const QByteArray Capeligo = QByteArrayLiteral(
    "\xC6"
    "apeligo");
inline const QByteArray Lingvo = QByteArrayLiteral("Lingvo");
inline const QByteArray Tiparo = QByteArrayLiteral("Tiparo");
inline const QByteArray Dosiero = QByteArrayLiteral("Dosiero");
inline const QByteArray Korektanto = QByteArrayLiteral("Korektanto");
inline const QByteArray Nomo = QByteArrayLiteral("Nomo");
inline const QByteArray Adreso = QByteArrayLiteral("Adreso");
inline const QByteArray Sistemo = QByteArrayLiteral("Sistemo");
inline const QByteArray LastaLeciono = QByteArrayLiteral("LastaLeciono");
inline const QByteArray LastaPagxo = QByteArrayLiteral("LastaPagxo");
inline const QByteArray Tradukilo = QByteArrayLiteral("Tradukilo");
inline const QByteArray SenduRezultojn = QByteArrayLiteral("SenduRezultojn");
}  // namespace SettingsKeys

inline const QString Portuguese = QStringLiteral("Português");
inline const QString SettingsFileName = QStringLiteral("konfig.ini");

// The one open settings file, and whether the copy beside the program is
// read-only (the per-user copy is then used).
TIniFile* SettingsFile();
bool SettingsReadOnly();

// Decides where konfig.ini lives and opens it: beside the program when this
// user can replace the file there; otherwise (a read-only file, one owned by
// someone else, a folder this user cannot write, an installed course) the
// per-user copy of the same name, which starts as a copy of the one beside the
// program when it is first made.
void OpenSettingsFile();
// Also releases the lock.
void CloseSettingsFile();

// Takes the lock that keeps a second copy of the course, started by the same
// learner, from overwriting the first one's saves. False when another running
// copy holds it. Once held, the saves a killed copy left half made are
// removed. The lock ends with CloseSettingsFile or the process.
bool LockSettingsFile();

// Reads every setting from the general section, with its default.
void ReadSettings();

// Whether a file carries the read-only attribute: no write permission at all.
bool HasReadOnlyAttribute(const QString& path);
