#include "lec08.h"

#include "memoplayer.h"
#include "ownedcomponents.h"
#include "statictext.h"

#include <QLabel>
#include <QPushButton>

namespace {

const QString kPoemReading = QStringLiteral("sonoj\\lec08\\memo1.mp3");

QPushButton* OwnButton(QWidget* window, const char* name) {
  return qobject_cast<QPushButton*>(OwnedComponent(window, QLatin1String(name)));
}

}  // namespace

TForm8::TForm8(const LessonEntry& entry, QWidget* owner) : TLessonWindow(entry, owner) {}

void TForm8::LessonSetUp() {
  poem_ = new MemoPlayer(this, OwnButton(this, "Butono1"), OwnButton(this, "Butono2"), OwnButton(this, "Butono3"),
                         kPoemReading);
}

void TForm8::LessonPageChanged() {
  if (poem_) poem_->StopIfOpen();
}

void TForm8::StopPlayback() {
  if (poem_) poem_->StopIfOpen();
}

QList<LessonRecording> TForm8::Recordings() const {
  QList<LessonRecording> recordings = TLessonWindow::Recordings();
  // The recording reads the poem, title first, as the page shows it.
  auto* self = const_cast<TForm8*>(this);
  if (const auto* poem = qobject_cast<const StaticText*>(OwnedComponent(self, QStringLiteral("Memo1")))) {
    recordings.append({kPoemReading, poem->text()});
  }
  return recordings;
}
