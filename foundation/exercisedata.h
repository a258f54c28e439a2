#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The items of the drills, one data file per lesson: "ekzercoj\ekz" + the
// first two characters of the exercise code + ".dat", one section per code
// and suffix ("0101D"), items in the order of their lines. A section holds at
// most 101 items and a record at most 11 fields; anything past those bounds
// is not read.
inline constexpr int MaxExerciseItems = 101;
inline constexpr int MaxRecordFields = 11;

using ExerciseRecord = std::array<QString, MaxRecordFields>;
using ExerciseRecords = std::array<ExerciseRecord, MaxExerciseItems>;

QString ExerciseDataFile(const QString& code);

// Fills items[0 .. count-1] and returns the count; items from the count on are
// left as they were. Suffix "T" comes from the translation in force (section
// "Ekzerco-" + code) when the language is not Portuguese.
int LoadExerciseItems(QStringList& items, const QString& code, const QString& suffix);

// Clears every field of every record, then fills the records of the section,
// fields split at "~", and returns the count. Always from the data file.
int LoadExerciseRecords(ExerciseRecords& records, const QString& code, const QString& suffix);

// The fields of one stored value: "a~b~" gives "a", "b" and "".
QStringList SplitRecordFields(const QString& value);
