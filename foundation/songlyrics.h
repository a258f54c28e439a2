#pragma once

#include <QList>
#include <QString>

// The sung lines of a song, read from the script the song was made from:
// "beat SECONDS" gives the length of a beat, and each "say BEAT BEATS PITCH
// TEXT" line is a line sung from beat BEAT, within BEATS beats. Times are in
// hundredths of a second from the start of the song.
struct SungLine {
  int from = 0;
  int to = 0;  // when the line leaves the screen
  QString text;
};

// The lines in the order they are sung; a line stays until the next one
// comes, or a little after its own end when the music goes on alone.
QList<SungLine> ReadSungLines(const QString& script);

// The line sung at `hundredths`; empty before the first, between verses and after the last.
QString LineSungAt(const QList<SungLine>& lines, int hundredths);

// The lines of the song recorded in `recording` (a data path such as
// "sonoj\lec02\jen_kanz.mp3"), from its script beside it ("jen_kanz.song");
// none when there is no script.
QList<SungLine> SungLinesOf(const QString& recording);
