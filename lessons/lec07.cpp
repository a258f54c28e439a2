#include "lec07.h"

#include "lessoncontext.h"
#include "ownedcomponents.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QTabWidget>

namespace {

const LessonWindowDefinition kDefinition{"lec07.ui", 8, "Lec07", "07", 12119015};

// The page of each gap-filling drill and the frame on it.
struct GapPage {
  const char* page;
  const char* frame;
  const char* code;
};
constexpr GapPage kGapPages[] = {{"EkzKomparado", "TFrame41", "0701"}, {"EkzAfiksoj", "Frame42", "0702"}};

}  // namespace

TForm7::TForm7(QWidget* owner) : TLessonWindow(kDefinition, owner) {}

void TForm7::SetLessonContext() {
  LessonContext& context = CurrentLessonContext();
  context.WordGameCode = QStringLiteral("0703");
  context.AccusativeCode = QStringLiteral("0705");
  // The accusative sentences are those of the affix drill, so they share its translations.
  context.AccusativeTextsCode = QStringLiteral("0702");
  // Each gap-filling frame reads its exercise code from its own caption.
  for (const GapPage& gaps : kGapPages) {
    if (QWidget* frame = OwnedComponent(this, QLatin1String(gaps.frame))) {
      if (auto* code = frame->findChild<QLabel*>(QStringLiteral("Ekzerco"))) code->setText(QLatin1String(gaps.code));
    }
  }
}

void TForm7::LessonPageChanged() {
  const QWidget* page = Pagxaro()->currentWidget();
  if (!page) return;
  for (const GapPage& gaps : kGapPages) {
    if (page->objectName() != QLatin1String(gaps.page)) continue;
    QWidget* frame = OwnedComponent(this, QLatin1String(gaps.frame));
    auto* stop = frame ? frame->findChild<QAbstractButton*>(QStringLiteral("BitBtn5")) : nullptr;
    if (stop && stop->isEnabled()) {
      stop->click();
      QCoreApplication::processEvents();
    }
  }
}
