#include "lec01.h"

#include "coursesounds.h"
#include "drilljudges.h"
#include "drillpanel.h"
#include "exercisedata.h"
#include "failurenotices.h"
#include "letters.h"
#include "playerhelpers.h"
#include "programpaths.h"
#include "statictext.h"
#include "verdicts.h"

#include <QFrame>
#include <QPushButton>
#include <QRandomGenerator>

TForm1::TForm1(const LessonEntry& entry, QWidget* owner) : TLessonWindow(entry, owner) {}

QString TForm1::GameWordRecording(const QString& word) {
  QString name = ToLetterSystem(word, 1);
  if (name == QLatin1String("aux")) name = QStringLiteral("auh");
  return QStringLiteral("sonoj\\lec01\\") + name + QStringLiteral(".mp3");
}

QList<LessonRecording> TForm1::Recordings() const {
  QList<LessonRecording> recordings = TLessonWindow::Recordings();
  QStringList words;
  const int count = LoadExerciseItems(words, QLatin1String(Codes().own), QStringLiteral("D"));
  for (int i = 0; i < count; ++i) recordings.append({GameWordRecording(words[i]), words[i]});
  return recordings;
}

QString TForm1::SpokenWord() const {
  return panel_ && (panel_->Running() || busy_) ? WordButton(target_)->text() : QString();
}

bool TForm1::IsSpeakingButton(const QPushButton* button) const {
  // Button141 .. Button146 are the game's word buttons.
  const int number = button->objectName().mid(6).toInt();
  return (number < 141 || number > 146) && TLessonWindow::IsSpeakingButton(button);
}

void TForm1::LessonSetUp() {
  panel_ = OwnDrillPanel();
  for (int i = 0; i < 6; ++i) {
    wordButtons_[i] = findChild<QPushButton*>(QStringLiteral("Button%1").arg(141 + i));
    QPushButton* button = wordButtons_[i];
    connect(button, &QPushButton::clicked, this, [this, button] { VortoKlako(button); });
  }
  connect(Own<QPushButton>("BitBtn1"), &QPushButton::clicked, this, &TForm1::BitBtn1Click);
  connect(Own<QPushButton>("BitBtn2"), &QPushButton::clicked, this, &TForm1::BitBtn2Click);
  connect(Own<QPushButton>("BitBtn3"), &QPushButton::clicked, this, &TForm1::BitBtn3Click);
}

void TForm1::BitBtn1Click() {
  if (!DataFileExists(QStringLiteral("sonoj\\lec") + SoundFolder())) {
    ShowNoSoundMessage(this);
    return;
  }
  const QString code = QLatin1String(Codes().own);
  words_.clear();
  LoadExerciseItems(words_, code, QStringLiteral("D"));
  // A set needs six words; with fewer the game cannot be dealt, so it does not start.
  if (words_.size() < 6) {
    TellExerciseDataMissing(this, code);
    return;
  }
  // Whole sets only: the words of an incomplete last set are never asked.
  panel_->Start(int(words_.size()), (int(words_.size()) / 6) * 6);
  Own<QPushButton>("BitBtn2")->setEnabled(true);
  dealt_.fill(false, words_.size());
  Own<QPushButton>("BitBtn2")->show();
  NovaFrazo1();
}

void TForm1::NovaFrazo1() {
  auto* random = QRandomGenerator::global();
  for (int i = 0; i < 6; ++i) {
    if (dealt_.count(false) == 0) return;
    int index = 0;
    do {
      index = random->bounded(int(words_.size()));
    } while (dealt_[index]);
    dealt_[index] = true;
    WordButton(i)->setText(words_[index]);
    WordButton(i)->show();
  }
  found_.fill(false);
  newSet_ = true;
  NovaVorto1();
}

void TForm1::NovaVorto1() {
  do {
    target_ = QRandomGenerator::global()->bounded(6);
  } while (found_[target_]);
  lastSound_ = DataPath(GameWordRecording(WordButton(target_)->text()));
  StartPlaying(lastSound_);
}

void TForm1::BitBtn2Click() {
  if (!lastSound_.isEmpty()) StartPlaying(lastSound_);
}

void TForm1::VortoKlako(QPushButton* clicked) {
  if (busy_ || !panel_->Running()) return;
  QPushButton* target = WordButton(target_);
  if (JudgeWordPair(clicked->text(), target->text())) {
    panel_->Right();
    found_[target_] = true;
    target->hide();
    newSet_ = false;
  } else {
    busy_ = true;
    panel_->HoldStop(true);
    PlayNeSound();
    panel_->Wrong();
    // The right word blinks; it stays in the set and may be asked again.
    target->setEnabled(false);
    if (!panel_->Blink({target}, DrillTimings::HeardWord)) return;
    target->setEnabled(true);
    panel_->HoldStop(false);
    busy_ = false;
  }
  if (panel_->Run().Complete()) {
    if (panel_->AnnounceVerdict()) BitBtn3Click();
  } else if (panel_->Run().Hits() % 6 != 0 || newSet_) {
    NovaVorto1();
  } else {
    NovaFrazo1();
  }
}

void TForm1::BitBtn3Click() {
  panel_->Stop();
  Own<QPushButton>("BitBtn2")->setEnabled(false);
  dealt_.fill(false);
  for (QWidget* control : Own<QFrame>("Panel12")->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    control->hide();
  }
}
