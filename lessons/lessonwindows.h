#pragma once

#include "lessonwindow.h"

#include <QDialog>

#include <memory>

// The window of a lesson number as the main menu counts them (1 to 13, the
// final exam being 13), built and ready to show; null for a lesson the
// course does not have.
std::unique_ptr<QDialog> CreateLessonWindow(int lessonValue, QWidget* owner,
                                            PageBuilding building = PageBuilding::AllAtOnce);

// Makes the classes of the lesson layouts known to the layout loader.
void RegisterLessonWidgets();
