#include "coursesounds.h"

#include "letters.h"
#include "messagebox.h"
#include "messages.h"
#include "playerhelpers.h"
#include "programpaths.h"
#include "uiloader.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QRegularExpression>

QString WordRecordingFileName(const QString& componentName, int tag, const QString& caption) {
  if (tag > 0) return QStringLiteral("btn") + componentName.mid(6, 3) + QStringLiteral(".mp3");
  QString name = ToLetterSystem(FoldEsperantoCase(caption, true), 1);
  if (name == QLatin1String("aux")) name = QStringLiteral("auh");
  return name + QStringLiteral(".mp3");
}

QString LessonRecordingPath(const QString& lessonNumber, const QString& fileName) {
  return QStringLiteral("sonoj\\lec") + lessonNumber + QLatin1Char('\\') + fileName;
}

int ItemButtonNumber(const QString& item) {
  bool ok = false;
  const int number = item.toInt(&ok);
  return ok && number > 0 ? number : 0;
}

QString DrillItemRecording(const QString& item, const QString& lessonFolder) {
  if (const int button = ItemButtonNumber(item)) {
    return LessonRecordingPath(lessonFolder, QStringLiteral("Btn") + QString::number(button) + QStringLiteral(".mp3"));
  }
  QString name = ToLetterSystem(item, 1);
  if (name == QLatin1String("aux")) name = QStringLiteral("auh");
  return LessonRecordingPath(lessonFolder, name + QStringLiteral(".mp3"));
}

namespace {

// What the page shows around a phrase for the eye alone: the number of an
// exercise line ("1. edzo"), an arrow between a word and its derivation
// ("ruĝa → ruĝiĝi", said as two words with a pause) and the hyphens that
// mark an affix ("mal-", "-in-"), which the voice would read as "minus".
// The interjection "ŝ!" is a hushing sound, which the voice would spell as
// the letter's name: it is given to it as that sound, in its phoneme code.
QString SpokenPhrase(const QString& caption) {
  static const QRegularExpression lineNumber(QStringLiteral("^\\s*\\d+\\.\\s+"));
  static const QRegularExpression arrow(QStringLiteral("\\s*→\\s*"));
  static const QRegularExpression affixHyphen(QStringLiteral("(^|\\s)-|-(\\s|$)"));
  static const QRegularExpression hush(QStringLiteral("(^|\\s)[Ŝŝ]!"));
  QString phrase = caption;
  phrase.remove(lineNumber);
  phrase.replace(arrow, QStringLiteral(", "));
  phrase.replace(affixHyphen, QStringLiteral("\\1\\2"));
  phrase.replace(hush, QStringLiteral("\\1[[S:::]]!"));
  return phrase;
}

}  // namespace

QString SpokenText(const QString& caption) {
  const QString text = caption.trimmed();
  if (text.size() != 1 || !text[0].isLetter()) return SpokenPhrase(caption);
  const QString letter = FoldEsperantoCase(text, true);
  static const QString vowels = QStringLiteral("aeiou");
  return vowels.contains(letter) ? letter : letter + QLatin1Char('o');
}

void SpeakWordButton(QAbstractButton* button, const QString& soundFolder) {
  if (!button) return;
  const QString path = LessonRecordingPath(
      soundFolder, WordRecordingFileName(button->objectName(), ComponentTag(button), button->text()));
  if (soundFolder.isEmpty() || !DataFileExists(path)) {
    ShowNoSoundMessage(button->window());
    return;
  }
  StartPlaying(DataPath(path));
}

void ShowNoSoundMessage(QWidget* parent) {
  ShowMessage(parent, QMessageBox::Information, Messages().smNeSono, QMessageBox::Ok);
}
