#pragma once

#include <QString>

#include <functional>

class QWidget;

// What the main window does on behalf of other windows when the player
// reports: a window registers, under its component name, what must happen
// when a stream ends while it is the active window (its play/stop trios
// reset themselves), and a song player may follow the position reports.
// This keeps the main window free of any knowledge of the lessons.
using EndOfStreamAction = std::function<void(QWidget* activeWindow)>;
using TimecodeListener = std::function<void(int hours, int minutes, int seconds, int hundredths)>;

void RegisterEndOfStreamAction(const QString& windowName, EndOfStreamAction action);
// Runs the action of the registered window that `window` is or lies over (a
// message box over a lesson window belongs to the lesson window).
void RunEndOfStreamAction(QWidget* window);

// One listener at a time; an empty one removes it.
void SetTimecodeListener(TimecodeListener listener);
void ForwardTimecode(int hours, int minutes, int seconds, int hundredths);
