#include "lec06.h"

#include "memoplayer.h"
#include "ownedcomponents.h"
#include "statictext.h"

#include <QLabel>
#include <QPushButton>

namespace {

const QString kFirstReading = QStringLiteral("sonoj\\lec06\\memo2.mp3");
const QString kSecondReading = QStringLiteral("sonoj\\lec06\\memo3.mp3");

// The window's own button of that name; the exercise frames have buttons of the same names.
QPushButton* OwnButton(QWidget* window, const char* name) {
  return qobject_cast<QPushButton*>(OwnedComponent(window, QLatin1String(name)));
}

}  // namespace

TForm6::TForm6(const LessonEntry& entry, QWidget* owner) : TLessonWindow(entry, owner) {}

void TForm6::LessonSetUp() {
  firstText_ = new MemoPlayer(this, OwnButton(this, "Butono1"), OwnButton(this, "Butono2"), OwnButton(this, "Butono3"),
                              kFirstReading);
  secondText_ = new MemoPlayer(this, OwnButton(this, "BitBtn4"), OwnButton(this, "BitBtn5"), OwnButton(this, "BitBtn6"),
                               kSecondReading);
}

void TForm6::StopReadings() {
  if (firstText_) firstText_->StopIfOpen();
  if (secondText_) secondText_->StopIfOpen();
}

void TForm6::LessonPageChanged() { StopReadings(); }

void TForm6::StopPlayback() { StopReadings(); }

QList<LessonRecording> TForm6::Recordings() const {
  QList<LessonRecording> recordings = TLessonWindow::Recordings();
  // Each recording reads its text aloud as the page shows it.
  auto* self = const_cast<TForm6*>(this);
  for (const auto& [memo, recording] : {std::pair{"Memo2", kFirstReading}, std::pair{"Memo3", kSecondReading}}) {
    if (const auto* text = qobject_cast<const StaticText*>(OwnedComponent(self, QLatin1String(memo)))) {
      recordings.append({recording, text->text()});
    }
  }
  return recordings;
}
