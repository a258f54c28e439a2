#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

// A language the course ships: its name as the settings store it, its
// translation file (none for the built-in Portuguese) and a short code.
struct CourseLanguage {
  QString name;
  QString file;
  QString code;
};

QList<CourseLanguage> ShippedLanguages();

// A page of the course as it is on screen.
struct CoursePage {
  QString window;  // the window's name, such as "Pelano" or "Form3"
  QString page;    // such as "03 Pagxo3" (number and name), or the window's name for a window without pages
  QWidget* shown;  // the window, showing that page
};

// Makes the fonts of the built program folder `programFolder`, the
// pictures and the lesson classes known; once, before the first tour.
void PrepareCourseTour(const QString& programFolder);

// Opens every window of the course in `language` as a learner would meet
// it (the main menu, every lesson and the exam, the settings, the credits,
// the language choice, the translator's windows and the course's message
// boxes), shows each of its pages in turn and hands it to `visit`. The data
// come from the built program folder `programFolder`; nothing is written there.
void TourCourse(const QString& programFolder, const CourseLanguage& language,
                const std::function<void(const CoursePage&)>& visit);
