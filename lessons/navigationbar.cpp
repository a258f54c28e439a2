#include "navigationbar.h"

#include "failurenotices.h"
#include "layoutpaths.h"
#include "storedpictures.h"
#include "uiloader.h"
#include "writtenanswers.h"

#include <QLabel>
#include <QTabWidget>
#include <QToolButton>

TFrame6::TFrame6(QWidget* parent) : TFrame(parent) {
  PelanoUiLoader::LoadInto(this, LayoutPath(QStringLiteral("navigationbar.ui")));
  setFixedHeight(33);
  ApplyStoredPictures(this);
  eliri_ = findChild<QToolButton*>(QStringLiteral("Eliri"));
  koverto_ = findChild<QToolButton*>(QStringLiteral("koverto"));
  savu_ = findChild<QToolButton*>(QStringLiteral("Savu"));
  helpo_ = findChild<QLabel*>(QStringLiteral("Helpo"));
  connect(eliri_, &QToolButton::clicked, this, &TFrame6::EliriClick);
  connect(koverto_, &QToolButton::clicked, this, &TFrame6::kovertoClick);
  connect(savu_, &QToolButton::clicked, this, &TFrame6::SavuClick);
  connect(findChild<QToolButton*>(QStringLiteral("Malantauen")), &QToolButton::clicked, this,
          &TFrame6::MalantauenClick);
  connect(findChild<QToolButton*>(QStringLiteral("Antauen")), &QToolButton::clicked, this, &TFrame6::AntauenClick);
}

QTabWidget* TFrame6::Pagxaro() const {
  return qobject_cast<QTabWidget*>(OwnedComponent(window(), QStringLiteral("Pagxaro")));
}

void TFrame6::EliriClick() {
  if (savu_->isEnabled() && !SaveBeforeLeaving(Pagxaro())) return;
  savu_->setEnabled(false);
  window()->close();
}

void TFrame6::kovertoClick() { SendToMonitor(Pagxaro()); }

void TFrame6::SavuClick() {
  // A failed save leaves the button enabled: the answers are not stored yet.
  if (!SaveWrittenAnswers(Pagxaro())) {
    TellSettingsNotSaved(window());
    return;
  }
  savu_->setEnabled(false);
}

void TFrame6::MalantauenClick() {
  QTabWidget* pages = Pagxaro();
  if (!pages || pages->count() == 0) return;
  const int i = pages->currentIndex();
  pages->setCurrentIndex(i > 0 ? i - 1 : pages->count() - 1);
  PagxaroShangho();
}

void TFrame6::AntauenClick() {
  QTabWidget* pages = Pagxaro();
  if (!pages || pages->count() == 0) return;
  const int i = pages->currentIndex();
  pages->setCurrentIndex(i < pages->count() - 1 ? i + 1 : 0);
  PagxaroShangho();
}

void TFrame6::PagxaroShangho() {
  QTabWidget* pages = Pagxaro();
  const int tag = pages && pages->currentWidget() ? ComponentTag(pages->currentWidget()) : 0;
  koverto_->setVisible(tag == WrittenExercisePage);
  savu_->setVisible(true);
  helpo_->setVisible(koverto_->isVisibleTo(this) || tag == TypingPage);
}
