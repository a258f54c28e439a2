#pragma once

#include <QString>

#include <functional>

// Plays a WAV file on the default output and returns once it has been played
// to its end; window events go on meanwhile, in a local event loop. False at
// once for a missing, corrupt or foreign file. Without a working output the
// wait takes the file's playing time, as if it had been played silently, and
// returns true. The wait touches nothing but its own data, so the window that
// started it may be closed under it. User-interface thread only.
bool PlayWavToEnd(const QString& path);
// The same from `fromMs` into the file; `position` hears, about every 20 ms
// while it plays, how far into the file the sound heard has come (ms).
bool PlayWavToEnd(const QString& path, qint64 fromMs, const std::function<void(qint64 ms)>& position);

// Ends every running PlayWavToEnd at once, silencing it; each returns false.
void StopWavPlayback();
