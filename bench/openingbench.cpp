#include "openingbench.h"

#include "lessoncatalogue.h"
#include "lessonwindow.h"
#include "pelanowindow.h"
#include "programpaths.h"
#include "programstart.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

double ResidentMebibytes() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong() / 1024.0;
  }
  return -1;
}

namespace {

// Knows how deep event delivery is nested, so that the end of the event in
// which a lesson window painted its first frame (the paint and the flush to
// the screen) can be told from the paint events inside it.
class TimedApplication : public QApplication {
 public:
  using QApplication::QApplication;

  // From now on, calls `painted` once with the milliseconds since this call
  // when the event that first painted a lesson window has been handled.
  void WatchFirstLessonFrame(std::function<void(double)> painted) {
    painted_ = std::move(painted);
    watchedDepth_ = depth_;
    sawPaint_ = false;
    clock_.start();
  }

  bool notify(QObject* receiver, QEvent* event) override {
    if (painted_ && event->type() == QEvent::Paint) {
      auto* widget = qobject_cast<QWidget*>(receiver);
      if (widget && qobject_cast<TLessonWindow*>(widget->window())) sawPaint_ = true;
    }
    ++depth_;
    const bool handled = QApplication::notify(receiver, event);
    --depth_;
    if (painted_ && sawPaint_ && depth_ == watchedDepth_) std::exchange(painted_, {})(clock_.nsecsElapsed() / 1e6);
    return handled;
  }

 private:
  int depth_ = 0;
  int watchedDepth_ = 0;
  bool sawPaint_ = false;
  QElapsedTimer clock_;
  std::function<void(double)> painted_;
};

// Once the window open on top has every page built, calls `complete` with it.
void WhenLessonComplete(QWidget* context, std::function<void(TLessonWindow*)> complete) {
  auto* poll = new QTimer(context);
  poll->setInterval(1);
  QObject::connect(poll, &QTimer::timeout, context, [poll, complete = std::move(complete)] {
    auto* lesson = qobject_cast<TLessonWindow*>(QApplication::activeModalWidget());
    if (!lesson || !lesson->isVisible() || !lesson->PagesComplete()) return;
    poll->deleteLater();
    poll->stop();
    complete(lesson);
  });
  poll->start();
}

void SavePages(TLessonWindow* lesson, const QString& folder) {
  QTabWidget* pages = lesson->Pagxaro();
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
    QApplication::processEvents();
    lesson->grab().save(QDir(folder).filePath(QStringLiteral("page%1.png").arg(i + 1, 2, 10, QLatin1Char('0'))));
  }
}

struct Opening {
  double milliseconds = -1;
  double residentComplete = -1;
};

// "shown MS complete MIB" from a child process; -1 when it printed nothing.
Opening OpenInChild(const QString& programFolder, int lesson) {
  QProcess process;
  process.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--lesson"), programFolder, QString::number(lesson)});
  process.waitForFinished(60000);
  for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
    const QList<QByteArray> words = line.split(' ');
    if (words.size() == 4 && words[0] == "shown" && words[2] == "complete") {
      return {words[1].toDouble(), words[3].toDouble()};
    }
  }
  return {};
}

}  // namespace

int RunLessonOpening(int argc, char* argv[], const QString& programFolder, int lesson, const QString& shotsFolder) {
  TimedApplication application(argc, argv);
  SetProgramFolder(programFolder);
  return RunPelano(application, [&application, lesson, shotsFolder](TPelano& window) {
    // Long after the menu's own work after its first paint.
    QTimer::singleShot(300, &window, [&application, &window, lesson, shotsFolder] {
      auto* button = window.findChild<QPushButton*>(LessonButtonOfNumber(lesson));
      application.WatchFirstLessonFrame([&window, shotsFolder](double milliseconds) {
        WhenLessonComplete(&window, [&window, milliseconds, shotsFolder](TLessonWindow* lesson) {
          std::printf("shown %.2f complete %.2f\n", milliseconds, ResidentMebibytes());
          std::fflush(stdout);
          if (!shotsFolder.isEmpty()) SavePages(lesson, shotsFolder);
          lesson->close();
          QTimer::singleShot(0, &window, &QWidget::close);
        });
      });
      button->click();
    });
  });
}

int RunLessonCycles(int argc, char* argv[], const QString& programFolder, int rounds) {
  QApplication application(argc, argv);
  SetProgramFolder(programFolder);
  return RunPelano(application, [rounds](TPelano& window) {
    // Each click returns once its lesson is closed; the window left behind
    // is deleted before the next one opens.
    auto round = std::make_shared<std::function<void(int)>>();
    *round = [&window, rounds, round](int number) {
      for (const LessonEntry& entry : LessonCatalogue()) {
        WhenLessonComplete(&window, [](TLessonWindow* lesson) { lesson->close(); });
        window.findChild<QPushButton*>(QLatin1String(entry.menuButton))->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      }
      // The heap in use tells objects left behind from memory the allocator
      // keeps for later.
      std::printf("round %d %.2f %.3f\n", number, ResidentMebibytes(), mallinfo2().uordblks / 1048576.0);
      std::fflush(stdout);
      if (number == rounds) {
        QTimer::singleShot(0, &window, &QWidget::close);
        *round = {};
        return;
      }
      QTimer::singleShot(0, &window, [round, number] { (*round)(number + 1); });
    };
    QTimer::singleShot(300, &window, [round] { (*round)(1); });
  });
}

void BenchLessonOpening(const QString& programFolder, int runs, int rounds) {
  std::printf("click on a lesson to its first frame painted, %d openings each, a new process each time:\n", runs);
  std::printf("  %-7s %7s %7s %7s   %s\n", "window", "median", "best", "worst", "resident with every page built");
  double heaviest = 0;
  double slowestMedian = 0;
  for (const LessonEntry& entry : LessonCatalogue()) {
    std::vector<double> times;
    double resident = 0;
    for (int run = 0; run < runs; ++run) {
      const Opening opening = OpenInChild(programFolder, entry.lessonValue);
      if (opening.milliseconds < 0) continue;
      times.push_back(opening.milliseconds);
      resident = std::max(resident, opening.residentComplete);
    }
    if (times.empty()) {
      std::printf("  %-7s did not open\n", entry.menuButton);
      continue;
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    slowestMedian = std::max(slowestMedian, median);
    heaviest = std::max(heaviest, resident);
    std::printf("  %-7s %6.1f ms %6.1f ms %6.1f ms   %.1f MiB\n", entry.menuButton, median, times.front(), times.back(),
                resident);
  }
  std::printf("slowest median %.1f ms; heaviest window %.1f MiB resident\n", slowestMedian, heaviest);

  QProcess process;
  process.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--cycles"), programFolder, QString::number(rounds)});
  process.waitForFinished(-1);
  std::vector<double> resident;
  std::vector<double> heap;
  for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
    const QList<QByteArray> words = line.split(' ');
    if (words.size() != 4 || words[0] != "round") continue;
    resident.push_back(words[2].toDouble());
    heap.push_back(words[3].toDouble());
  }
  if (resident.size() < 2) {
    std::printf("openings and closings: the run did not finish\n");
    return;
  }
  std::printf(
      "%zu rounds of opening and closing all %zu windows in one process: resident %.1f MiB after the first round, "
      "%.1f MiB after the last (most %.1f MiB); heap in use %.2f MiB after the first, %.2f MiB after the last\n",
      resident.size(), LessonCatalogue().size(), resident.front(), resident.back(),
      *std::max_element(resident.begin(), resident.end()), heap.front(), heap.back());
}
