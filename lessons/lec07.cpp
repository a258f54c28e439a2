#include "lec07.h"

#include "ownedcomponents.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QTabWidget>

namespace {

// The page of each gap-filling drill and the frame on it.
struct GapPage {
  const char* page;
  const char* frame;
};
constexpr GapPage kGapPages[] = {{"EkzKomparado", "TFrame41"}, {"EkzAfiksoj", "Frame42"}};

}  // namespace

TForm7::TForm7(const LessonEntry& entry, QWidget* owner) : TLessonWindow(entry, owner) {}

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
