#pragma once

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
