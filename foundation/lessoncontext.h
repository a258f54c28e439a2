#pragma once

#include <QString>

// What the open lesson window tells the parts that serve it: the folder of
// its recordings ("sonoj\lec" + LessonNumber) and the exercise codes of its
// drills. A window sets only the fields its drills use.
struct LessonContext {
  QString LessonNumber;
  QString WordGameCode;
  QString PronunciationCode;
  QString ListeningCode;
  QString AccusativeCode;
  QString AccusativeTextsCode;
};

LessonContext& CurrentLessonContext();

// Set by the main menu's "where did I stop?" while it opens the last lesson:
// the lesson window then opens on the remembered page.
bool& ResumeRequested();
