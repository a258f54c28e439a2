#pragma once

#include <QByteArray>
#include <QString>

// MP3 files for the player tests, encoded with lame from tones written here.
// Returns the path of the file, or an empty string when lame failed.
QString MakeToneMp3(const QString& folder, const QString& name, double seconds, int sampleRate, int channels,
                    double frequency = 440.0);
// Any sound, given as a WAV file, encoded with lame at 64 kbit/s.
QString EncodeMp3(const QString& folder, const QString& name, const QByteArray& wavFile);
// A long file made by repeating the frames of a short constant-bitrate one.
QString MakeLongMp3(const QString& folder, const QString& name, int repeats);
