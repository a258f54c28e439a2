#include "accusative.h"

#include "cursorfile.h"
#include "drillhost.h"
#include "drilljudges.h"
#include "failurenotices.h"
#include "layoutpaths.h"
#include "settings.h"
#include "statictext.h"
#include "storedpictures.h"
#include "translatedtext.h"
#include "translationfile.h"
#include "translator.h"
#include "uiloader.h"
#include "verdicts.h"

#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int WordSpacing = 6;
constexpr int RoomForEnding = 8;

}  // namespace

QStringList TFrame5::BuiltInExplanations() {
  return {
      QStringLiteral("Este é o sujeito da oração, e o sujeito NUNCA pode receber a terminação \"n\"."),
      QStringLiteral("Esta palavra é parte do sujeito, e o sujeito NUNCA pode receber a terminação \"n\"."),
      QStringLiteral("Este é o artigo definido. O artigo é uma palavra invariável."),
      QStringLiteral("Este é o verbo, e não pode receber a terminação \"n\"."),
      QStringLiteral("Parabéns! Este é o objeto direto da oração e deve receber a terminação \"n\" !"),
      QStringLiteral("Muito bem! Esta palavra é parte do objeto direto e deve receber a terminação \"n\"."),
      QStringLiteral("Após uma preposição não se deve usar a terminação \"n\"."),
      QStringLiteral("Isto é uma preposição. Ela não recebe a terminação \"n\"."),
      QStringLiteral("Isto é um advérbio. Ele não recebe a terminação \"n\"."),
      QStringLiteral("Deve-se usar o acusativo apenas quando o verbo age sobre alguém ou alguma coisa. Não é este o "
                     "caso."),
      QStringLiteral("Esta palavra é um numeral, e não recebe a terminação \"n\"."),
      QStringLiteral("Esta palavra é uma conjunção, e não recebe a terminação \"n\"."),
      QStringLiteral("Essas palavras recebem a terminação \"n\" porque são entendidas como uma simplificação de frases "
                     "mais longas (\"Mi diras saluton al vi\", \"Mi diras dankon al vi\", etc.)."),
  };
}

TFrame5::TFrame5(QWidget* parent) : TFrame(parent) {
  PelanoUiLoader::LoadInto(this, LayoutPath(QStringLiteral("accusative.ui")));
  ApplyStoredPictures(this);
  WireTranslatorLabels(this);
  confirm_ = findChild<QPushButton*>(QStringLiteral("BitBtn2"));
  vortoj_ = findChild<QGroupBox*>(QStringLiteral("Vortoj"));
  traduko_ = findChild<StaticText*>(QStringLiteral("Traduko1"));
  klarigo_ = findChild<QLabel*>(QStringLiteral("Klarigo"));
  const QCursor wordCursor = CustomCursor(20);
  for (int place = 0; place < Places; ++place) {
    places_[place] = findChild<StaticText*>(QStringLiteral("Vorto%1").arg(10 + place));
    places_[place]->setCursor(wordCursor);
    places_[place]->installEventFilter(this);
  }
  const DrillPanel::Controls controls = DrillPanel::FindControls(
      this, QStringLiteral("BitBtn1"), QStringLiteral("BitBtn3"), QStringLiteral("Placar"), 11);
  stop_ = findChild<QPushButton*>(QStringLiteral("BitBtn3"));
  panel_ = new DrillPanel(this, controls, DrillKind::Accusative);
  connect(controls.start, &QPushButton::clicked, this, &TFrame5::BitBtn1Click);
  connect(stop_, &QPushButton::clicked, this, &TFrame5::BitBtn3Click);
  connect(confirm_, &QPushButton::clicked, this, &TFrame5::BitBtn2Click);
}

void TFrame5::BitBtn1Click() {
  if (panel_->Running()) return;
  const DrillHost* host = HostOf(this);
  const QString code = host ? QLatin1String(host->Codes().accusative) : QString();
  const QString textsCode = host ? QLatin1String(host->Codes().accusativeTexts) : QString();
  const int count = LoadExerciseRecords(words_, code, QStringLiteral("D"));
  LoadExerciseRecords(endings_, code, QStringLiteral("R"));
  LoadExerciseRecords(explanations_, code, QStringLiteral("K"));
  translations_.clear();
  LoadExerciseItems(translations_, textsCode, QStringLiteral("T"));
  explanationTexts_.clear();
  if (CurrentSettings().Lingvo == Portuguese) {
    explanationTexts_ = BuiltInExplanations();
  } else {
    LoadExerciseItems(explanationTexts_, QStringLiteral("Klarigoj"), QStringLiteral("T"));
  }
  // A row without any word has nothing to click and is not asked.
  rows_.clear();
  for (int row = 0; row < count; ++row) {
    const ExerciseRecord& words = words_[row];
    if (std::any_of(words.begin(), words.end(), [](const QString& word) { return !word.isEmpty(); })) {
      rows_.append(row);
    }
  }
  if (rows_.isEmpty()) {
    TellExerciseDataMissing(window(), code);
    return;
  }
  ++run_;
  panel_->Start(int(rows_.size()));
  confirming_ = false;
  confirm_->setEnabled(true);
  NovaFrazo();
}

void TFrame5::NovaFrazo() {
  if (!panel_->Running()) return;
  marked_.fill(false);
  const int item = panel_->Run().Draw();
  if (item < 0) return;
  row_ = rows_[item];
  for (int place = 0; place < Places; ++place) {
    places_[place]->setText(words_[row_][place]);
    FitToCaption(places_[place]);
  }
  SetTranslatedText(traduko_, translations_.value(row_));
  traduko_->show();
  klarigo_->hide();
  LayOutWords();
  vortoj_->setEnabled(true);
  for (int place = 0; place < Places; ++place) Colour(place, "black");
  vortoj_->show();
}

void TFrame5::LayOutWords() {
  int total = 0;
  for (const StaticText* place : places_) total += place->width() + (place->text().isEmpty() ? 0 : WordSpacing);
  int x = (vortoj_->width() - total) / 2;
  for (StaticText* place : places_) {
    place->move(x, place->y());
    x += place->width() + WordSpacing;
  }
}

void TFrame5::Colour(int place, const char* colour) {
  places_[place]->setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(colour)));
}

// One test serves the click and the judgement, so that no sentence can ask
// for an ending that no click gives: "1" with blanks around it is still "1",
// any other field means no ending, and a place without a word takes none.
bool TFrame5::TakesEnding(int place) const { return TakesAccusativeEnding(words_[row_][place], endings_[row_][place]); }

QString TFrame5::Explanation(int place) const {
  bool isNumber = false;
  const int index = explanations_[row_][place].trimmed().toInt(&isNumber);
  if (!isNumber || index < 0 || index >= MaxExerciseItems) return QString();
  if (index < explanationTexts_.size()) return explanationTexts_[index];
  // A translation that lacks the explanation shows that it is missing.
  return CurrentSettings().Lingvo == Portuguese ? QString() : NotTranslated;
}

bool TFrame5::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseButtonRelease) return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  if (mouse->button() != Qt::LeftButton) return false;
  for (int place = 0; place < Places; ++place) {
    if (watched == places_[place] && places_[place]->rect().contains(mouse->position().toPoint())) {
      VortKlako(place);
      return true;
    }
  }
  return false;
}

void TFrame5::VortKlako(int place) {
  // No clicks on a sentence while its verdict is shown.
  if (confirming_ || !panel_->Running() || row_ < 0 || place < 0 || place >= Places || words_[row_][place].isEmpty()) {
    return;
  }
  StaticText* word = places_[place];
  if (!TakesEnding(place)) {
    panel_->Wrong();
    PlayNeSound();
    Colour(place, "#c00000");  // the misses colour, readable on white
  } else if (!marked_[place]) {
    word->setText(word->text() + QLatin1Char('n'));
    FitToCaption(word);
    Colour(place, "green");
    marked_[place] = true;
    PlayNoteSound();
    for (int next = place + 1; next < Places; ++next) {
      places_[next]->move(places_[next]->x() + RoomForEnding, places_[next]->y());
    }
  }
  const QString explanation = Explanation(place);
  klarigo_->setText(explanation);
  klarigo_->setVisible(!explanation.isEmpty());
  panel_->Pause(DrillTimings::AfterExplanation);
}

void TFrame5::BitBtn2Click() {
  if (confirming_ || !panel_->Running() || row_ < 0) return;
  confirming_ = true;
  QVector<bool> takesEnding(Places);
  QVector<bool> marked(Places);
  for (int place = 0; place < Places; ++place) {
    takesEnding[place] = TakesEnding(place);
    marked[place] = marked_[place];
  }
  QList<QWidget*> missing;
  for (const int place : MissingEndings(takesEnding, marked)) missing.append(places_[place]);
  const bool right = missing.isEmpty();
  // No more clicks on this sentence while its verdict is shown.
  vortoj_->setEnabled(false);
  const int run = run_;
  if (right) {
    panel_->Right();
    PlayPraise();
    if (!panel_->Pause(DrillTimings::AfterRightSentence)) return;
  } else {
    confirm_->setEnabled(false);
    panel_->HoldStop(true);
    panel_->Wrong();
    PlayNeSound();
    if (!panel_->Blink(missing, DrillTimings::Endings)) return;
  }
  confirming_ = false;
  // Stopped during the feedback (and perhaps started anew): the run that
  // was judged is over.
  if (run != run_ || !panel_->Running()) return;
  confirm_->setEnabled(true);
  panel_->HoldStop(false);
  if (!panel_->Run().Complete()) {
    NovaFrazo();
  } else if (panel_->AnnounceVerdict()) {
    BitBtn3Click();
  }
}

void TFrame5::BitBtn3Click() {
  panel_->Stop();
  confirm_->setEnabled(false);
  vortoj_->hide();
  traduko_->hide();
  klarigo_->hide();
}
