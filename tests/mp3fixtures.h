#pragma once

#include <QString>

// MP3 files for the player tests, encoded with lame from tones written here.
// Returns the path of the file, or an empty string when lame failed.
QString MakeToneMp3(const QString& folder, const QString& name, double seconds, int sampleRate, int channels,
                    double frequency = 440.0);
// A long file made by repeating the frames of a short constant-bitrate one.
QString MakeLongMp3(const QString& folder, const QString& name, int repeats);
