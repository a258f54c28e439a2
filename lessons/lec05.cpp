#include "lec05.h"

#include "lessoncontext.h"
#include "ownedcomponents.h"
#include "statictext.h"

namespace {

const LessonWindowDefinition kDefinition{"lec05.ui", 5, "Lec05", "05", 14929324};

}  // namespace

TForm5::TForm5(QWidget* owner) : TLessonWindow(kDefinition, owner) {}

void TForm5::SetLessonContext() {
  LessonContext& context = CurrentLessonContext();
  context.WordGameCode = QStringLiteral("0501");
  context.PronunciationCode = QStringLiteral("0501");
  context.ListeningCode = QStringLiteral("0501");
  // The gap-filling frame reads its exercise code from its own caption.
  if (QWidget* gaps = OwnedComponent(this, QStringLiteral("TFrame41"))) {
    if (auto* code = gaps->findChild<StaticText*>(QStringLiteral("Ekzerco"))) code->setText(QStringLiteral("0502"));
  }
}
