#pragma once

// The song scripts of the course (course/songs/*.song): a small line-based
// text that says what to play and sing, in beats from the start of the song.
//
//   beat 0.856                    seconds a beat lasts
//   length 147.5                  seconds of the finished song; the music fades out at its end
//   voice eo+m3 150 45            espeak-ng voice, words a minute, pitch (0 to 99)
//   chords 9 2 C G Am F           from beat 9, one chord every 2 beats: C, G, Am, F
//   drums 9 40 full               the drum pattern of beats 9 to 40 (off, soft, half, full, fill)
//   melody 9 E4:1/2 G4:1/2 A4:1   from beat 9, notes one after the other, lengths in beats; R rests
//   say 9 4 52 Jen la suno,       a sung line: at beat 9, within 4 beats, at pitch 52
//
// A "#" at the start of a line or after a blank begins a comment (the "#"
// of a note such as F#4 does not). Lines may come in any order.
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct SongNote {
  double beat = 0;    // when it starts
  double length = 0;  // how long it lasts, in beats
  int midi = 0;       // MIDI note number, 60 is the middle C
};

struct SongChord {
  double beat = 0;
  double length = 0;
  QList<int> midi;  // the chord's tones around the middle C, root first
};

struct SongDrums {
  int firstBeat = 0;
  int lastBeat = 0;  // inclusive
  QString pattern;
};

struct SongLine {
  double beat = 0;
  double beats = 0;  // the time the line may take
  int pitch = 50;
  QString text;
};

struct SongScript {
  double beatSeconds = 0.5;
  double lengthSeconds = 0;
  QString voice = QStringLiteral("eo");
  int voiceSpeed = 150;
  int voicePitch = 50;
  QList<SongChord> chords;
  QList<SongDrums> drums;
  QList<SongNote> melody;
  QList<SongLine> lines;
};

// MIDI number of a note name such as "C4", "F#3" or "Bb2"; nothing for anything else.
std::optional<int> NoteNumber(const QString& name);
// The tones of a chord name such as "C", "Am", "G7", "Dm7" or "Fsus4", root in the octave of middle C.
std::optional<QList<int>> ChordTones(const QString& name);
// A length such as "1", "0.5" or "1/2".
std::optional<double> BeatLength(const QString& text);

// Reads a script; on failure returns nothing and says which line is wrong in `error`.
std::optional<SongScript> ParseSongScript(const QString& text, QString* error);
