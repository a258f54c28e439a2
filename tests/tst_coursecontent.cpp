// The course content as a teacher reads it: drill items with one right answer, answers that are words, Portuguese
// as Brazilians speak it, numbers written one way, and instructions for the system the course runs on.
#include "exercisedata.h"
#include "lessonfixture.h"
#include "lessonwindow.h"
#include "lessonwindows.h"
#include "ownedcomponents.h"
#include "programpaths.h"
#include "settings.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

namespace {

// The words of a gap-filling item: its fragments with each gap filled by its answer ("pli~ol" fills two gaps).
QString Completed(const QString& fragments, const QString& answers) {
  const QStringList parts = fragments.split(QLatin1Char('~'));
  const QStringList fills = answers.split(QLatin1Char('~'));
  QString sentence = parts.value(0);
  for (qsizetype i = 1; i < parts.size(); ++i) sentence += fills.value(i - 1) + parts[i];
  return sentence;
}

// Every text the course shows or says, file by file: the layouts, the exercise data and the course's site.
QList<std::pair<QString, QString>> CourseTexts() {
  QList<std::pair<QString, QString>> texts;
  const QString source = QStringLiteral(PELANO_SOURCE_DIR);
  for (const QString& folder : {QStringLiteral("layouts"), QStringLiteral("course/ekzercoj"), QStringLiteral("site")}) {
    for (QDirIterator it(source + folder, {QStringLiteral("*.ui"), QStringLiteral("*.dat"), QStringLiteral("*.html")},
                         QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();) {
      QFile file(it.next());
      if (file.open(QIODevice::ReadOnly)) texts.append({file.fileName(), QString::fromUtf8(file.readAll())});
    }
  }
  return texts;
}

}  // namespace

class TestCourseContent : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { RegisterLessonWidgets(); }

  void correctedGapItems_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("translation");
    // "Kia terura vetero!" needed no suffix: the gap now carries the "horrível" itself.
    QTest::newRow("0802 #7") << "0802" << 7 << QStringLiteral("Kia veteraĉo! Pluvas kaj blovas la tutan tagon.")
                             << QStringLiteral("Que tempo horrível! Chove e venta o dia inteiro.");
    // "kanto" is as right as "kantado" for "o canto"; a speech is only "parolado".
    QTest::newRow("0802 #13") << "0802" << 13 << QStringLiteral("La prezidanto faris longan paroladon en la kongreso.")
                              << QStringLiteral("O presidente fez um longo discurso no congresso.");
    // "katetoj" is as right as "katidoj" for "os gatinhos"; her young are only "katidoj".
    QTest::newRow("0802 #16") << "0802" << 16 << QStringLiteral("La katino kaj ŝiaj katidoj ludas en la ĝardeno.")
                              << QStringLiteral("A gata e seus filhotes brincam no jardim.");
    // "turismo" is a root of its own, not tur + ism.
    QTest::newRow("0802 #18") << "0802" << 18 << QStringLiteral("La alkoholismo estas grava malsano.")
                              << QStringLiteral("O alcoolismo é uma doença grave.");
    QTest::newRow("0701 #2, menor") << "0701" << 2 << QStringLiteral("La muso estas malpli granda ol la elefanto.")
                                    << QStringLiteral("O rato é menor que o elefante.");
  }
  void correctedGapItems() {
    QFETCH(QString, code);
    QFETCH(int, item);
    QFETCH(QString, sentence);
    QFETCH(QString, translation);
    TempProgramFolder folder;
    const QString data = QStringLiteral("ekzercoj/ekz") + code.left(2) + QStringLiteral(".dat");
    folder.Write(data, ReadFileBytes(QStringLiteral(PELANO_PROGRAM_DIR) + data));
    QStringList fragments, answers, translations;
    QVERIFY(LoadExerciseItems(fragments, code, QStringLiteral("D")) >= item);
    QCOMPARE(LoadExerciseItems(answers, code, QStringLiteral("R")), fragments.size());
    QCOMPARE(LoadExerciseItems(translations, code, QStringLiteral("T")), fragments.size());
    QCOMPARE(Completed(fragments[item - 1], answers[item - 1]), sentence);
    QCOMPARE(translations[item - 1], translation);
  }

  void noWordIsSplitIntoAffixesItDoesNotHave() {
    TempProgramFolder folder;
    folder.Write("ekzercoj/ekz08.dat", ReadFileBytes(QStringLiteral(PELANO_PROGRAM_DIR "ekzercoj/ekz08.dat")));
    QStringList fragments, answers;
    const int count = LoadExerciseItems(fragments, QStringLiteral("0802"), QStringLiteral("D"));
    LoadExerciseItems(answers, QStringLiteral("0802"), QStringLiteral("R"));
    for (int i = 0; i < count; ++i) {
      QVERIFY2(!Completed(fragments[i], answers[i]).contains(QLatin1String("turism"), Qt::CaseInsensitive),
               qPrintable(fragments[i]));
    }
    // The -ism- examples of lesson 9 are words built with it.
    std::unique_ptr<QDialog> lesson9 = CreateLessonWindow(9, nullptr);
    QVERIFY(lesson9);
    for (QWidget* component : OwnedComponents(lesson9.get())) {
      if (auto* word = qobject_cast<QPushButton*>(component)) QVERIFY(!word->text().startsWith(QLatin1String("tur")));
    }
  }

  void wordGameAnswersAreWords() {
    TempProgramFolder folder;
    for (const QString& name : QDir(QStringLiteral(PELANO_PROGRAM_DIR "ekzercoj")).entryList(QDir::Files)) {
      folder.Write(QStringLiteral("ekzercoj/") + name,
                   ReadFileBytes(QStringLiteral(PELANO_PROGRAM_DIR "ekzercoj/") + name));
    }
    int checked = 0;
    for (int lesson = 1; lesson <= 12; ++lesson) {
      auto window = OpenLesson<TLessonWindow>(lesson);
      QVERIFY(window);
      const QString code = QLatin1String(window->Codes().wordGame);
      if (code.isEmpty()) continue;
      QStringList labels;
      const int count = LoadExerciseItems(labels, code, QStringLiteral("R"));
      for (int i = 0; i < count; ++i) {
        const auto* answer = qobject_cast<QLabel*>(OwnedComponent(window.get(), QStringLiteral("Label") + labels[i]));
        QVERIFY2(answer, qPrintable(code + QLatin1Char(' ') + labels[i]));
        // A derivation ("manhã → de manhã") is a lesson's note, never an answer to pick.
        QVERIFY2(!answer->text().contains(QChar(0x2192)), qPrintable(code + QLatin1Char(' ') + answer->text()));
        ++checked;
      }
    }
    QVERIFY(checked > 200);
  }

  void portugueseAsBraziliansSpeakIt() {
    // Comparatives that Brazilians say in one word.
    static const QRegularExpression analytic(
        QStringLiteral("\\b(menos grande|mais grande|mais pequen[oa]s?|mais bom)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    for (const auto& [file, text] : CourseTexts()) {
      const auto match = analytic.match(text);
      QVERIFY2(!match.hasMatch(), qPrintable(file + QStringLiteral(": ") + match.captured()));
    }
  }

  void numbersAreWrittenOneWay() {
    // Lesson 3's rule: the parts of a compound ordinal are joined with a hyphen ("dek-dua"); cardinals stay apart.
    static const QRegularExpression glued(
        QStringLiteral(
            "\\b(dek|dudek|tridek|kvardek|kvindek|cent)(unu|du|tri|kvar|kvin|ses|sep|ok|naŭ)(a|aj|an|ajn)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    int rules = 0;
    for (const auto& [file, text] : CourseTexts()) {
      const auto match = glued.match(text);
      QVERIFY2(!match.hasMatch(), qPrintable(file + QStringLiteral(": ") + match.captured()));
      rules += text.count(QStringLiteral("dek-dua"));
    }
    QVERIFY(rules > 0);
  }

  void instructionsDescribeThisSystem() {
    for (const auto& [file, text] : CourseTexts()) {
      QVERIFY2(!text.contains(QLatin1String("Windows")), qPrintable(file));
    }
    for (const char* translation : {"angla.trd", "hispana.trd"}) {
      const QByteArray text = ReadFileBytes(QStringLiteral(PELANO_SOURCE_DIR "course/tradukoj/") + translation);
      QVERIFY2(!text.contains("Windows"), translation);
    }
  }
};

QTEST_MAIN(TestCourseContent)
#include "tst_coursecontent.moc"
