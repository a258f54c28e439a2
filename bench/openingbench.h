#pragma once

#include <QString>

// Lesson opening as the learner sees it, from the click on a lesson's button
// in the main menu to the end of the event that painted the lesson's first
// frame, for every window of the course.

// In a process of its own: opens lesson `lesson` once and prints the time,
// the resident memory then and once every page is built; with
// `shotsFolder`, also saves a picture of every page there.
int RunLessonOpening(int argc, char* argv[], const QString& programFolder, int lesson, const QString& shotsFolder);

// In a process of its own: opens and closes every lesson in turn `rounds`
// times and prints the resident memory after each round.
int RunLessonCycles(int argc, char* argv[], const QString& programFolder, int rounds);

// Runs the two above as child processes and prints the table of every
// window (median, best, worst of `runs` openings), the heaviest resident
// memory, and the memory over `rounds` rounds of openings.
void BenchLessonOpening(const QString& programFolder, int runs, int rounds);

// The resident memory of this process.
double ResidentMebibytes();
