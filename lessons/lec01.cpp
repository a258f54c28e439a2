#include "lec01.h"

#include "coursesounds.h"
#include "exercisedata.h"
#include "failurenotices.h"
#include "lessoncontext.h"
#include "letters.h"
#include "playerhelpers.h"
#include "programpaths.h"
#include "statictext.h"
#include "verdicts.h"
#include "waiting.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>

namespace {

const LessonWindowDefinition kLesson1{"lec01.ui", 1, "Lec01", "01", 14929324};

QString TwoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

}  // namespace

TForm1::TForm1(QWidget* owner) : TLessonWindow(kLesson1, owner) {}

QString TForm1::GameWordRecording(const QString& word) {
  QString name = ToLetterSystem(word, 1);
  if (name == QLatin1String("aux")) name = QStringLiteral("auh");
  return QStringLiteral("sonoj\\lec01\\") + name + QStringLiteral(".mp3");
}

QList<LessonRecording> TForm1::Recordings() const {
  QList<LessonRecording> recordings = TLessonWindow::Recordings();
  QStringList words;
  const int count = LoadExerciseItems(words, QStringLiteral("0101"), QStringLiteral("D"));
  for (int i = 0; i < count; ++i) recordings.append({GameWordRecording(words[i]), words[i]});
  return recordings;
}

QString TForm1::SpokenWord() const {
  const auto* stop = Component<QPushButton>("BitBtn3");
  return stop && (stop->isEnabled() || busy_) ? WordButton(target_)->text() : QString();
}

void TForm1::SetLessonContext() {
  LessonContext& context = CurrentLessonContext();
  context.WordGameCode = QStringLiteral("0103");
  context.PronunciationCode = QStringLiteral("0102");
  context.ListeningCode = QStringLiteral("0102");
}

bool TForm1::IsSpeakingButton(const QPushButton* button) const {
  // Button141 .. Button146 are the game's word buttons.
  const int number = button->objectName().mid(6).toInt();
  return (number < 141 || number > 146) && TLessonWindow::IsSpeakingButton(button);
}

void TForm1::LessonSetUp() {
  for (int i = 0; i < 6; ++i) {
    wordButtons_[i] = findChild<QPushButton*>(QStringLiteral("Button%1").arg(141 + i));
    QPushButton* button = wordButtons_[i];
    connect(button, &QPushButton::clicked, this, [this, button] { VortoKlako(button); });
  }
  connect(Component<QPushButton>("BitBtn1"), &QPushButton::clicked, this, &TForm1::BitBtn1Click);
  connect(Component<QPushButton>("BitBtn2"), &QPushButton::clicked, this, &TForm1::BitBtn2Click);
  connect(Component<QPushButton>("BitBtn3"), &QPushButton::clicked, this, &TForm1::BitBtn3Click);
}

void TForm1::ShowCounters() {
  Component<StaticText>("Placar1")->setText(TwoDigits(WordsToFind() - right_));
  Component<StaticText>("Placar2")->setText(TwoDigits(right_));
  Component<StaticText>("Placar3")->setText(TwoDigits(wrong_));
  const int total = right_ + wrong_;
  Component<StaticText>("Placar4")->setText(TwoDigits(total > 0 ? ResultPercentage(wrong_, right_) : 0) +
                                            QLatin1Char('%'));
}

void TForm1::BitBtn1Click() {
  if (!DataFileExists(QStringLiteral("sonoj\\lec01"))) {
    ShowNoSoundMessage(this);
    return;
  }
  words_.clear();
  LoadExerciseItems(words_, QStringLiteral("0101"), QStringLiteral("D"));
  // A set needs six words; with fewer the game cannot be dealt, so it does not start.
  if (words_.size() < 6) {
    TellExerciseDataMissing(this, QStringLiteral("0101"));
    return;
  }
  Component<QPushButton>("BitBtn1")->setEnabled(false);
  Component<QPushButton>("BitBtn2")->setEnabled(true);
  Component<QPushButton>("BitBtn3")->setEnabled(true);
  right_ = wrong_ = 0;
  ShowCounters();
  used_.fill(false, words_.size());
  Component<QPushButton>("BitBtn2")->show();
  NovaFrazo1();
}

void TForm1::NovaFrazo1() {
  auto* random = QRandomGenerator::global();
  for (int i = 0; i < 6; ++i) {
    if (used_.count(false) == 0) return;
    int index = 0;
    do {
      index = random->bounded(int(words_.size()));
    } while (used_[index]);
    used_[index] = true;
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
  if (busy_ || !Component<QPushButton>("BitBtn3")->isEnabled()) return;
  QPushButton* target = WordButton(target_);
  if (clicked->text() == target->text()) {
    ++right_;
    found_[target_] = true;
    target->hide();
    newSet_ = false;
  } else {
    busy_ = true;
    auto* stop = Component<QPushButton>("BitBtn3");
    stop->setEnabled(false);
    PlayNeSound();
    ++wrong_;
    target->setEnabled(false);
    // The right word blinks for three seconds; the window may close meanwhile.
    QPointer<TForm1> self = this;
    QElapsedTimer clock;
    clock.start();
    int flips = 0;
    WaitUntil(
        [&] {
          if (!self || Closing()) return true;
          if (clock.elapsed() * 3 >= qint64(flips) * 1000) {
            target->setVisible(!target->isVisible());
            ++flips;
          }
          return clock.elapsed() >= 3000;
        },
        3.5);
    if (!self || Closing()) return;
    target->show();
    target->setEnabled(true);
    stop->setEnabled(true);
    busy_ = false;
  }
  ShowCounters();
  if (right_ >= WordsToFind()) {
    AnnounceResult(wrong_, right_, this);
    BitBtn3Click();
  } else if (right_ % 6 != 0 || newSet_) {
    NovaVorto1();
  } else {
    NovaFrazo1();
  }
}

void TForm1::BitBtn3Click() {
  Component<QPushButton>("BitBtn1")->setEnabled(true);
  Component<QPushButton>("BitBtn2")->setEnabled(false);
  Component<QPushButton>("BitBtn3")->setEnabled(false);
  used_.fill(false);
  for (QWidget* control : Component<QFrame>("Panel12")->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    control->hide();
  }
}
