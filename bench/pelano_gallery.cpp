// The screenshot gallery: one picture of every page of every window of the
// course, in every language it ships, for whoever changes a layout to look
// at the whole course at once.
//
//   pelano_gallery FOLDER
//
// writes FOLDER/pt/Form3-01 Adverboj.png and so on, and prints how many
// pictures it made. It needs no display: it draws offscreen.
#include "coursetour.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const QDir gallery(QString::fromLocal8Bit(argv[1]));
  PrepareCourseTour(QStringLiteral(PELANO_PROGRAM_DIR));
  int pictures = 0;
  for (const CourseLanguage& language : ShippedLanguages()) {
    gallery.mkpath(language.code);
    TourCourse(QStringLiteral(PELANO_PROGRAM_DIR), language, [&](const CoursePage& page) {
      const QString name = page.page == page.window ? page.window : page.window + QLatin1Char('-') + page.page;
      if (page.shown->grab().save(gallery.filePath(language.code + QLatin1Char('/') + name + QStringLiteral(".png")))) {
        ++pictures;
      }
    });
  }
  std::printf("%d pictures in %s\n", pictures, qPrintable(QDir::toNativeSeparators(gallery.absolutePath())));
  return pictures > 0 ? 0 : 1;
}
