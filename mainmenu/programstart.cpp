#include "programstart.h"

#include "coursebeacon.h"
#include "credits.h"
#include "figurejo.h"
#include "hattypingfilter.h"
#include "konfig.h"
#include "layoutpaths.h"
#include "lessoncatalogue.h"
#include "lessonwindows.h"
#include "messagebox.h"
#include "messages.h"
#include "pelanowindow.h"
#include "programpaths.h"
#include "settings.h"
#include "storedpictures.h"
#include "translator.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFontDatabase>
#include <QMessageBox>
#include <QTimer>

#include <memory>

namespace {

// Calls back once, when the window paints for the first time.
class FirstPaintWatcher : public QObject {
 public:
  FirstPaintWatcher(TPelano& window, std::function<void(TPelano&)> shown) : window_(window), shown_(std::move(shown)) {
    window_.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Paint && shown_) {
      auto shown = std::exchange(shown_, {});
      shown(window_);
    }
    return false;
  }

 private:
  TPelano& window_;
  std::function<void(TPelano&)> shown_;
};

// Shows the menu and runs the event loop until it closes.
int RunMenu(QApplication& application, TPelano& pelano, const std::function<void(TPelano&)>& shown) {
  // The translator's dialog and the beacon a second copy calls are made as
  // soon as the menu has painted: long before a double-click in translator
  // mode or a second copy can need them, and without delaying the menu.
  std::unique_ptr<TForm19> translator;
  std::unique_ptr<CourseBeacon> beacon;
  FirstPaintWatcher watcher(pelano, [&translator, &beacon, &shown](TPelano& window) {
    QTimer::singleShot(0, &window, [&translator, &beacon, &window] {
      beacon = std::make_unique<CourseBeacon>(SettingsFile()->FileName());
      QObject::connect(beacon.get(), &CourseBeacon::ForwardRequested, &window, [&window] { BringForward(&window); });
      translator = std::make_unique<TForm19>();
    });
    if (shown) shown(window);
  });
  pelano.show();
  const int result = application.exec();
  pelano.WaitForFarewell();
  return result;
}

}  // namespace

void SetApplicationIdentity() {
  QCoreApplication::setOrganizationName(QString());
  QCoreApplication::setApplicationName(QStringLiteral("pelano"));
  QCoreApplication::setApplicationVersion(QStringLiteral("3.02"));
}

void SetSettingsAndCreditsFactories() {
  TPelano::SetConfigurationWindowFactory([](QWidget* owner) -> std::unique_ptr<QDialog> {
    auto* pelano = qobject_cast<TPelano*>(owner);
    if (!pelano) return nullptr;
    return std::make_unique<TForm13>(
        pelano->TranslationFiles(), [pelano] { pelano->LoadSettingsAndMessages(); }, pelano);
  });
  TPelano::SetCreditsWindowFactory([](QWidget* owner) { return std::make_unique<TForm15>(owner); });
}

QList<int> RegisterCourseFonts() {
  QList<int> fonts;
  for (const char* name : {"tiparo0.ttf", "tiparo1.ttf"}) {
    const int id = QFontDatabase::addApplicationFont(DataPath(QLatin1String(name)));
    if (id >= 0) fonts.append(id);
  }
  const QStringList families = fonts.isEmpty() ? QStringList() : QFontDatabase::applicationFontFamilies(fonts.first());
  if (!families.isEmpty()) {
    QFont font = QApplication::font();
    font.setFamily(families.first());
    QApplication::setFont(font);
    QFont::insertSubstitution(QStringLiteral("Arial"), families.first());
  }
  return fonts;
}

int RunPelano(QApplication& application, const std::function<void(TPelano&)>& shown) {
  SetApplicationIdentity();
  if (ProgramFolder().isEmpty()) SetProgramFolder(QCoreApplication::applicationDirPath());

  // Read while the fonts are set up and the menu is built.
  QFile menuLayout(LayoutPath(QStringLiteral("pelano.ui")));
  if (menuLayout.open(QIODevice::ReadOnly)) PrefetchCoursePictures(PicturesNamedIn(menuLayout.readAll()));
  const QList<int> fonts = RegisterCourseFonts();

  HatTypingFilter hatTyping;
  application.installEventFilter(&hatTyping);
  SetPictureStoreFactory([] { return new TFigurejo; });
  RegisterLessonWidgets();
  for (const LessonEntry& entry : LessonCatalogue()) {
    const int lesson = entry.lessonValue;
    TPelano::SetLessonWindowFactory(
        lesson, [lesson](QWidget* owner) { return CreateLessonWindow(lesson, owner, PageBuilding::FirstPageFirst); });
  }
  SetSettingsAndCreditsFactories();

  int result = 0;
  {
    TPelano pelano;
    if (pelano.AnotherCopyRuns()) {
      // Brought forward, the copy already open is where the learner goes on.
      CourseBeacon::CallForward(SettingsFile()->FileName());
      ShowMessage(nullptr, QMessageBox::Information, Messages().smJamMalfermita);
    } else {
      result = RunMenu(application, pelano, shown);
    }
  }
  SetPictureStoreFactory({});
  for (int id : fonts) QFontDatabase::removeApplicationFont(id);
  return result;
}
