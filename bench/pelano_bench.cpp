// Benchmark of the course program. Figures:
//  - start: process start until the main window first paints, against a bare
//    Qt window of the same size measured in the same run, and the resident
//    memory at that moment;
//  - translation look-ups: 1,000 reads from a translation file of 5,000
//    entries through the shared INI cache;
//  - sound: decoding speed, the time from Play to the first audio the server
//    takes and to the first sound heard at the sink, and the CPU share while
//    playing.
//  - lesson opening: from the click on each window's button to its first
//    frame painted, the resident memory with every page built, and the
//    memory over 50 rounds of opening and closing every window;
//  - voice analysis: a course model and a recording of 5 s analysed on the
//    worker thread of the pronunciation practice, request to answer.
// `pelano_bench --start` takes the start figures alone, `pelano_bench
// --opening` the start and lesson opening figures,
// `pelano_bench --sound` the sound figures, `pelano_bench --voice` the voice
// analysis; `pelano_bench --lesson FOLDER N SHOTS` saves a picture of each
// page of lesson N.
// Run it with a display (xvfb-run -a) or with QT_QPA_PLATFORM=offscreen.
#include "openingbench.h"
#include "pelanowindow.h"
#include "programpaths.h"
#include "programstart.h"
#include "sharedinifile.h"
#include "soundbench.h"
#include "voicebench.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kStarts = 61;
constexpr int kOpenings = 7;
constexpr int kOpeningRounds = 50;

void ReportShown() {
  std::printf("shown %ld\n", long(ResidentMebibytes() * 1024));
  std::fflush(stdout);
}

// Paints once, reports, and quits: the bare Qt window to compare with.
int RunBareWindow(int argc, char* argv[]) {
  QApplication application(argc, argv);
  class Window : public QWidget {
   protected:
    void paintEvent(QPaintEvent*) override {
      if (reported_) return;
      reported_ = true;
      ReportShown();
      QTimer::singleShot(0, qApp, &QApplication::quit);
    }
    bool reported_ = false;
  } window;
  window.setFixedSize(630, 444);
  window.show();
  return application.exec();
}

int RunCourse(int argc, char* argv[], const QString& programFolder) {
  QApplication application(argc, argv);
  SetProgramFolder(programFolder);
  return RunPelano(application, [](TPelano& window) {
    ReportShown();
    QTimer::singleShot(0, &window, &QWidget::close);
  });
}

struct StartFigure {
  double milliseconds;
  long residentKilobytes;
};

StartFigure TimeStart(const QStringList& arguments) {
  QProcess process;
  QElapsedTimer timer;
  timer.start();
  process.start(QCoreApplication::applicationFilePath(), arguments);
  process.waitForReadyRead(30000);
  const double elapsed = timer.nsecsElapsed() / 1e6;
  const QByteArray line = process.readLine().trimmed();
  process.waitForFinished(30000);
  if (!line.startsWith("shown ")) return {-1, -1};
  return {elapsed, line.mid(6).toLong()};
}

StartFigure Median(std::vector<StartFigure> figures) {
  std::sort(figures.begin(), figures.end(),
            [](const StartFigure& a, const StartFigure& b) { return a.milliseconds < b.milliseconds; });
  return figures[figures.size() / 2];
}

// A program folder holding the built course and settings that skip the
// first-start language question.
bool PrepareProgramFolder(const QString& folder) {
  const QDir course(QStringLiteral(PELANO_PROGRAM_DIR));
  for (const QString& name : course.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
    if (name == QLatin1String("konfig.ini")) continue;
    QFile::link(course.filePath(name), QDir(folder).filePath(name));
  }
  QFile settings(QDir(folder).filePath(QStringLiteral("konfig.ini")));
  if (!settings.open(QIODevice::WriteOnly)) return false;
  settings.write(
      "[\xD8"
      "enerala]\r\nLingvo=Portugu\xC3\xAAs\r\n");
  return true;
}

void BenchTranslationLookups() {
  QTemporaryDir folder;
  QByteArray contents;
  QList<QPair<QByteArray, QByteArray>> keys;
  for (int section = 0; section < 50; ++section) {
    const QByteArray name = "Lec" + QByteArray::number(section);
    contents += "[" + name + "]\r\n";
    for (int label = 0; label < 100; ++label) {
      const QByteArray key = "Label" + QByteArray::number(label);
      contents += key + "=Teksto de la etikedo " + QByteArray::number(label) + "'#10'kun dua linio\r\n";
      keys.append({name, key});
    }
  }
  const QString path = folder.filePath(QStringLiteral("granda.trd"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return;
  file.write(contents);
  file.close();

  QElapsedTimer timer;
  timer.start();
  TSharedIniFile translation(path);
  const double loadMs = timer.nsecsElapsed() / 1e6;

  std::vector<double> rounds;
  qsizetype found = 0;
  for (int round = 0; round < 21; ++round) {
    std::vector<int> picks(1000);
    for (int& pick : picks) pick = QRandomGenerator::global()->bounded(int(keys.size()));
    timer.restart();
    for (int pick : picks) found += translation.ReadString(keys[pick].first, keys[pick].second, "x").size();
    rounds.push_back(timer.nsecsElapsed() / 1e3);
  }
  std::sort(rounds.begin(), rounds.end());
  std::printf(
      "translation file of 5,000 entries: loaded in %.2f ms; 1,000 look-ups: median %.1f us (best %.1f, worst "
      "%.1f)%s\n",
      loadMs, rounds[rounds.size() / 2], rounds.front(), rounds.back(), found > 0 ? "" : " (nothing found!)");
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc >= 2 && QByteArray(argv[1]) == "--bare-window") return RunBareWindow(argc, argv);
  if (argc >= 3 && QByteArray(argv[1]) == "--course") return RunCourse(argc, argv, QString::fromLocal8Bit(argv[2]));
  if (argc >= 4 && QByteArray(argv[1]) == "--cycles") {
    return RunLessonCycles(argc, argv, QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
  }
  if (argc >= 4 && QByteArray(argv[1]) == "--lesson") {
    return RunLessonOpening(argc, argv, QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]),
                            argc >= 5 ? QString::fromLocal8Bit(argv[4]) : QString());
  }

  QCoreApplication application(argc, argv);
  if (argc >= 2 && QByteArray(argv[1]) == "--sound") {
    BenchSound();
    return 0;
  }
  if (argc >= 2 && QByteArray(argv[1]) == "--voice") {
    BenchVoiceAnalysis();
    return 0;
  }
  QTemporaryDir folder;
  if (!PrepareProgramFolder(folder.path())) return 1;
  const QByteArray only = argc >= 2 ? QByteArray(argv[1]) : QByteArray();

  // Taken in turns, so that a slower or faster spell of the machine weighs on both alike.
  std::vector<StartFigure> bareStarts;
  std::vector<StartFigure> courseStarts;
  for (int i = 0; i < kStarts; ++i) {
    bareStarts.push_back(TimeStart({QStringLiteral("--bare-window")}));
    courseStarts.push_back(TimeStart({QStringLiteral("--course"), folder.path()}));
  }
  const StartFigure bare = Median(bareStarts);
  const StartFigure course = Median(courseStarts);
  std::printf(
      "start to first paint, median of %d: bare Qt window %.1f ms (%.1f MiB), Pelano main menu %.1f ms "
      "(%.1f MiB), ratio %.2f\n",
      kStarts, bare.milliseconds, bare.residentKilobytes / 1024.0, course.milliseconds,
      course.residentKilobytes / 1024.0, course.milliseconds / bare.milliseconds);
  if (only == "--start") return 0;
  BenchLessonOpening(folder.path(), kOpenings, kOpeningRounds);
  if (only == "--opening") return 0;
  BenchTranslationLookups();
  BenchSound();
  BenchVoiceAnalysis();
  return 0;
}
