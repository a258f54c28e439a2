#pragma once

#include <QString>

// Blocking helpers on the program's player; window events go on while they
// wait. Each does nothing when there is no player.

// Returns once every command sent before it has taken effect (after an
// InputOpen, the stream duration is then known).
void Synchronise();
// Stops whatever plays and forgets its duration. Run before a lesson window opens.
void StopAll();
// Opens the file, plays it and returns once it has been played to its end.
void PlayToTheEnd(const QString& path);
// Opens and starts a file without waiting for it.
void StartPlaying(const QString& path);
