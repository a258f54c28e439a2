#pragma once

#include <QString>

class QWidget;

// The comparison form of a typed answer: blanks and control characters at
// the ends removed, runs of spaces folded to one, full stops dropped.
QString NormalizeAnswer(const QString& text);

// The share of right answers in per cent, rounded to the nearest integer
// with an exact half going to the even neighbour (139 of 200 is 70).
int ResultPercentage(int wrong, int right);
inline constexpr int PassMark = 70;

// The verdict at the end of a series: a spoken congratulation or
// encouragement, and the message in a box; returns when the box is closed.
void AnnounceResult(int wrong, int right, QWidget* parent);

void PlayPraise();     // a praise word, never the same one twice in a row
void PlayNeSound();    // a spoken "ne"
void PlayNoteSound();  // the note for a right typed answer

// The praise word used last (0 to 5), and whether sounds are played at all
// (off until the main window is shown).
int& LastPraise();
bool& SoundsEnabled();

// A random existing variant "sonoj\" + base + N + ".mp3", N from 1 to 8;
// empty when none exists.
QString RandomSharedVariant(const QString& base);
