#pragma once

#include <QString>

// The folder of the running program, with a trailing separator; the course
// data lies below it.
const QString& ProgramFolder();
void SetProgramFolder(const QString& folder);

// The path of a course data file, given relative to the program folder with
// "\" separators as the course data names them. The names were chosen on a
// file system that ignores letter case, so when the exact name is missing the
// first name that matches without regard to case is taken. Returns the exact
// path (which does not exist) when nothing matches.
QString DataPath(const QString& relativePath);
bool DataFileExists(const QString& relativePath);
