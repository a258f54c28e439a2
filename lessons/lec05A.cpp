#include "lec05A.h"

#include "lessoncontext.h"
#include "ownedcomponents.h"
#include "statictext.h"

namespace {

const LessonWindowDefinition kDefinition{"lec05A.ui", 6, "Lec05A", "5A", 12239318};

}  // namespace

TForm5A::TForm5A(QWidget* owner) : TLessonWindow(kDefinition, owner) {}

void TForm5A::SetLessonContext() {
  LessonContext& context = CurrentLessonContext();
  context.WordGameCode = QStringLiteral("5A01");
  context.PronunciationCode = QStringLiteral("5A01");
  context.ListeningCode = QStringLiteral("5A01");
  context.AccusativeCode = QStringLiteral("5A05");
  context.AccusativeTextsCode = QStringLiteral("5A05");
  // The gap-filling frame reads its exercise code from its own caption.
  if (QWidget* gaps = OwnedComponent(this, QStringLiteral("TFrame41"))) {
    if (auto* code = gaps->findChild<StaticText*>(QStringLiteral("Ekzerco"))) code->setText(QStringLiteral("5A02"));
  }
}
