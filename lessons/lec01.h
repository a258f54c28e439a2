#pragma once

#include "lessonwindow.h"

#include <QStringList>
#include <QVector>

#include <array>

class QPushButton;
class StaticText;

// Lesson 1: the alphabet, pronouns, "esti", nouns and adjectives, the
// plural, possessives and the article, with the word-listening game: the
// program speaks a word and the learner clicks the button that shows it.
class TForm1 : public TLessonWindow {
  Q_OBJECT
 public:
  TForm1(const LessonEntry& entry, QWidget* owner);

  void BitBtn1Click();  // start
  void BitBtn2Click();  // hear the word again
  void BitBtn3Click();  // stop
  void VortoKlako(QPushButton* clicked);

  // The word the game spoke last and waits for; empty when no run goes on.
  QString SpokenWord() const;

  // The recording of a word of the game: "sonoj\lec01\" + the word in the
  // x-system + ".mp3", "aŭ" as "auh".
  static QString GameWordRecording(const QString& word);

  QList<LessonRecording> Recordings() const override;

 protected:
  void LessonSetUp() override;
  bool IsSpeakingButton(const QPushButton* button) const override;

 private:
  void NovaFrazo1();
  void NovaVorto1();
  QPushButton* WordButton(int index) const { return wordButtons_[index]; }

  std::array<QPushButton*, 6> wordButtons_{};
  DrillPanel* panel_ = nullptr;
  QStringList words_;
  QVector<bool> dealt_;  // the words already laid out in a set of this run
  std::array<bool, 6> found_{};
  int target_ = 0;
  bool newSet_ = false;
  bool busy_ = false;
  QString lastSound_;
};
