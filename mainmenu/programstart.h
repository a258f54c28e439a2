#pragma once

#include <QList>

#include <functional>

class QApplication;
class TPelano;

// Program start: registers the course fonts, creates the main window and
// runs the event loop until the main window closes. `shown`, when given, is
// called once the main window is on screen (the benchmark uses it).
int RunPelano(QApplication& application, const std::function<void(TPelano&)>& shown = {});

// The main menu's configuration and credits buttons open their windows.
void SetSettingsAndCreditsFactories();

// The application's name and title, set before anything reads the settings.
void SetApplicationIdentity();

// Makes the course's own fonts the program's for the length of the run and
// draws with them what the layouts leave to the default font or write in
// Arial where Arial is missing, so that a page looks as it was laid out on
// every machine. Returns the registrations, to be removed at the end.
QList<int> RegisterCourseFonts();
