// Crash consistency of the written answers: a saver process saves the final
// exam's answers (every field of the window) in a loop, each save a new
// generation of texts, while this driver kills it with SIGKILL at random
// moments. After each kill konfig.ini must parse and hold one complete
// generation. The next saver starts as the course does, taking the settings
// lock and removing what the killed save left half made.
//
//   pelano_crashsaves [KILLS]        runs the experiment (default 1,000 kills)
//   pelano_crashsaves saver FOLDER GENERATION
//
// Run it with QT_QPA_PLATFORM=offscreen.
#include "inifile.h"
#include "lessonwindows.h"
#include "ownedcomponents.h"
#include "programpaths.h"
#include "settings.h"
#include "storedtext.h"
#include "uiloader.h"
#include "writtenanswers.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QThread>

#include <cstdio>
#include <optional>

namespace {

// The text of one field in one generation; lengths vary, so that a file cut
// short or mixed from two saves cannot pass for a whole one.
QString FieldText(qint64 generation, const QString& field) {
  return QStringLiteral("g%1-%2 ").arg(generation).arg(field) + QString(int(generation % 23) + 1, QChar(u'ĉ')) +
         QStringLiteral("\nlinio ŭ");
}

QList<QWidget*> AnswerFields(QWidget* window) {
  QList<QWidget*> fields;
  for (QWidget* component : OwnedComponents(window)) {
    if (ComponentTag(component) <= 0) continue;
    const auto* edit = qobject_cast<QLineEdit*>(component);
    const auto* memo = qobject_cast<QPlainTextEdit*>(component);
    if ((edit && edit->inputMask().isEmpty()) || (memo && !memo->isReadOnly())) fields.append(component);
  }
  return fields;
}

void Fill(const QList<QWidget*>& fields, qint64 generation) {
  for (QWidget* field : fields) {
    const QString text = FieldText(generation, field->objectName());
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
      edit->setText(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    } else {
      qobject_cast<QPlainTextEdit*>(field)->setPlainText(text);
    }
  }
}

int RunSaver(const QString& folder, qint64 generation) {
  SetProgramFolder(folder);
  OpenSettingsFile();
  if (!LockSettingsFile()) return 3;
  RegisterLessonWidgets();
  std::unique_ptr<QDialog> exam = CreateLessonWindow(13, nullptr);
  auto* pages = exam ? exam->findChild<QTabWidget*>(QStringLiteral("Pagxaro")) : nullptr;
  if (!pages) return 4;
  const QList<QWidget*> fields = AnswerFields(exam.get());
  std::printf("ready %lld\n", static_cast<long long>(fields.size()));
  std::fflush(stdout);
  for (;; ++generation) {
    Fill(fields, generation);
    if (!SaveWrittenAnswers(pages)) return 5;
  }
}

// The generation konfig.ini holds, or nothing when it is torn or mixed.
struct Verdict {
  bool parsed = false;
  std::optional<qint64> generation;
};

Verdict Check(const QString& path, const QStringList& fieldNames, const QStringList& memoNames) {
  Verdict verdict;
  const TIniFile file(path);
  const QByteArrayList keys = file.ReadSection("Form12");
  if (keys.size() != fieldNames.size()) return verdict;
  verdict.parsed = true;
  static const QRegularExpression stamp(QStringLiteral("^g(\\d+)-"));
  std::optional<qint64> generation;
  for (const QString& name : fieldNames) {
    const QString stored = DecodeTranslation(file.ReadBytes("Form12", name.toUtf8(), QByteArray()));
    const auto match = stamp.match(stored);
    if (!match.hasMatch()) return Verdict{};
    const qint64 g = match.captured(1).toLongLong();
    QString expected = FieldText(g, name);
    if (!memoNames.contains(name)) expected.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (stored != expected) return Verdict{};
    if (generation && *generation != g) return verdict;  // parsed, but mixed
    generation = g;
  }
  verdict.generation = generation;
  return verdict;
}

int UnfinishedSaves(const QString& folder) {
  const QRegularExpression unfinished(QStringLiteral("^konfig\\.ini\\.[A-Za-z0-9]{6}$"));
  int count = 0;
  for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
    if (unfinished.match(name).hasMatch()) ++count;
  }
  return count;
}

int RunDriver(const QString& program, int kills) {
  QTemporaryDir folder;
  if (!folder.isValid()) return 2;

  // The field names, from the window itself.
  RegisterLessonWidgets();
  SetProgramFolder(folder.path());
  QStringList fieldNames, memoNames;
  {
    std::unique_ptr<QDialog> exam = CreateLessonWindow(13, nullptr);
    for (QWidget* field : AnswerFields(exam.get())) {
      fieldNames.append(field->objectName());
      if (qobject_cast<QPlainTextEdit*>(field)) memoNames.append(field->objectName());
    }
  }
  SetProgramFolder(QString());
  const QString konfig = folder.filePath(QStringLiteral("konfig.ini"));

  int torn = 0, mixed = 0, noFileYet = 0, leftBehind = 0, maxLeftBehind = 0, failedStarts = 0;
  qint64 lastGeneration = -1;
  qint64 savesBeforeKills = 0;
  int wentBack = 0;
  for (int kill = 0; kill < kills; ++kill) {
    QProcess saver;
    saver.setStandardErrorFile(QProcess::nullDevice());
    const qint64 firstGeneration = qint64(kill) * 1000000;
    saver.start(program, {QStringLiteral("saver"), folder.path(), QString::number(firstGeneration)});
    if (!saver.waitForReadyRead(60000) || !saver.readLine().startsWith("ready")) {
      ++failedStarts;
      saver.kill();
      saver.waitForFinished();
      continue;
    }
    QThread::msleep(QRandomGenerator::global()->bounded(60));
    saver.kill();  // SIGKILL
    saver.waitForFinished();

    const int left = UnfinishedSaves(folder.path());
    leftBehind += left;
    maxLeftBehind = std::max(maxLeftBehind, left);
    if (!QFile::exists(konfig)) {
      ++noFileYet;
      continue;
    }
    const Verdict verdict = Check(konfig, fieldNames, memoNames);
    if (!verdict.parsed) {
      ++torn;
    } else if (!verdict.generation) {
      ++mixed;
    } else {
      if (*verdict.generation < lastGeneration) ++wentBack;
      lastGeneration = *verdict.generation;
      if (lastGeneration >= firstGeneration) savesBeforeKills += lastGeneration - firstGeneration + 1;
    }
    if ((kill + 1) % 100 == 0) {
      std::printf("%d kills: torn %d, mixed %d\n", kill + 1, torn, mixed);
      std::fflush(stdout);
    }
  }
  // The next start, as the course makes it.
  SetProgramFolder(folder.path());
  OpenSettingsFile();
  const bool locked = LockSettingsFile();
  const int remaining = UnfinishedSaves(folder.path());
  CloseSettingsFile();

  std::printf(
      "fields per save: %lld\nkills: %d (saver failed to start: %d)\nkilled before the first save: %d\n"
      "saves completed in all: %lld\n"
      "torn files: %d\nmixed states: %d\nolder state after a newer one: %d\n"
      "unfinished saves seen after kills: %d (at most %d at once)\nlock taken at the next start: %s, "
      "unfinished saves left after it: %d\n",
      static_cast<long long>(fieldNames.size()), kills, failedStarts, noFileYet,
      static_cast<long long>(savesBeforeKills), torn, mixed, wentBack, leftBehind, maxLeftBehind, locked ? "yes" : "no",
      remaining);
  return torn == 0 && mixed == 0 && wentBack == 0 && remaining == 0 && failedStarts == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const QStringList arguments = application.arguments();
  if (arguments.size() == 4 && arguments[1] == QLatin1String("saver")) {
    return RunSaver(arguments[2], arguments[3].toLongLong());
  }
  const int kills = arguments.size() > 1 ? arguments[1].toInt() : 1000;
  return RunDriver(QCoreApplication::applicationFilePath(), kills > 0 ? kills : 1000);
}
