#pragma once

#include <QChar>
#include <QString>

class QWidget;

// How the six Esperanto letters with a diacritic are written: 0 the letters
// themselves, 1 the x-system (ĉ as cx), any other value the h-system (ĉ as ch,
// ŭ as u).
using LetterSystem = int;

QString ToLetterSystem(const QString& text, LetterSystem system);

// Case folding of A-Z and the twelve Esperanto letters only; every other
// character, accented Portuguese letters included, is left as it is.
QString FoldEsperantoCase(const QString& text, bool lower);

// Hat typing: a base letter followed by x becomes its hatted form (c, x gives ĉ)
// in the control. Clears `key` when the key is swallowed. `control` may be null.
void ApplyHatKey(QChar& key, QWidget* control);

// The character of the last key seen by ApplyHatKey, shared by every window.
QChar LastTypedKey();
void ResetLastTypedKey();
