#pragma once

#include <QString>

class QAbstractButton;
class QWidget;

// The recording of a word button: "btn" + the digits of its name when its
// Tag is positive (Button12 → "btn12.mp3"), else its caption in lower case
// and in the x-system ("Ĉu" → "cxu.mp3"; the word "aŭ" → "auh.mp3").
QString WordRecordingFileName(const QString& componentName, int tag, const QString& caption);

// "sonoj\lec" + the lesson's sound folder + "\" + the file name.
QString LessonRecordingPath(const QString& lessonNumber, const QString& fileName);

// A drill item that is a whole number k stands for the window's speaking
// button "Button" + k; the number, or 0 for an item that is a text.
int ItemButtonNumber(const QString& item);
// The recording of a drill item of the lesson folder `lessonFolder` ("01"):
// "Btn" + k for a button, else the text in the x-system ("aŭ" as "auh").
QString DrillItemRecording(const QString& item, const QString& lessonFolder);

// What a speaking button says: its caption, a letter of the alphabet by its
// name ("B" is said "bo"), without the marks meant for the eye alone (the
// number of an exercise line, the arrow of a derivation, affix hyphens).
QString SpokenText(const QString& caption);

// Plays the recording of a clicked word button from its window's sound
// folder, without waiting; shows the no-sound message when it is missing or
// the window has no recordings.
void SpeakWordButton(QAbstractButton* button, const QString& soundFolder);

// The message that a lesson's recordings are missing, in an information box.
void ShowNoSoundMessage(QWidget* parent);
