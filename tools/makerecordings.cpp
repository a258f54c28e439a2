// Makes every recording of the course that is missing or out of date:
//   pelano_makerecordings PROGRAM_DIR
#include "programpaths.h"
#include "recordingmaker.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
  // The lesson layouts are read with the program's own loader, which needs widgets but no screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s PROGRAM_DIR\n", argv[0]);
    return 2;
  }
  const QString programDir = QString::fromLocal8Bit(argv[1]);
  SetProgramFolder(programDir);
  MakeSummary summary;
  QString error;
  const bool ok = MakeRecordings(programDir, CourseRecordings(), &summary, &error);
  if (summary.made > 0 || summary.removed > 0) {
    std::printf("recordings: %d made, %d removed, %d up to date\n", summary.made, summary.removed, summary.upToDate);
  }
  if (!ok) {
    std::fprintf(stderr, "pelano_makerecordings: %s\n", qPrintable(error));
    return 1;
  }
  return 0;
}
