#include "drilljudges.h"

#include "letters.h"
#include "verdicts.h"

bool JudgeWordPair(const QString& chosen, const QString& asked) { return !asked.isEmpty() && chosen == asked; }

QString SentenceComparisonForm(const QString& text) { return NormalizeAnswer(FoldEsperantoCase(text, true)); }

bool JudgeTypedSentence(const QString& typed, const QString& expected) {
  return SentenceComparisonForm(typed) == SentenceComparisonForm(expected);
}

bool GapExists(const QString& expected) { return !SentenceComparisonForm(expected).isEmpty(); }

QList<int> WrongGaps(const QStringList& typed, const QStringList& expected) {
  QList<int> wrong;
  const qsizetype gaps = qMax(typed.size(), expected.size());
  for (qsizetype gap = 0; gap < gaps; ++gap) {
    if (SentenceComparisonForm(typed.value(gap)) != SentenceComparisonForm(expected.value(gap))) {
      wrong.append(int(gap));
    }
  }
  return wrong;
}

bool TakesAccusativeEnding(const QString& word, const QString& endingField) {
  return !word.isEmpty() && endingField.trimmed() == QLatin1String("1");
}

QList<int> MissingEndings(const QVector<bool>& takesEnding, const QVector<bool>& marked) {
  QList<int> missing;
  for (qsizetype place = 0; place < takesEnding.size(); ++place) {
    if (takesEnding[place] && !marked.value(place)) missing.append(int(place));
  }
  return missing;
}

qint64 ReadWholeNumber(const QString& text) {
  bool ok = false;
  // Ten digits exceed a 32-bit integer; every number the box lets through is read.
  const qint64 number = text.toLongLong(&ok);
  return ok ? number : 0;
}

bool JudgeNumber(const QString& typed, const QString& expected) {
  return ReadWholeNumber(NormalizeAnswer(typed)) == ReadWholeNumber(expected);
}

QString TypedTime(const QString& boxText) {
  QString time = boxText.leftJustified(5, QLatin1Char(' '), true);
  if (time[0] == QLatin1Char(' ')) time[0] = QLatin1Char('0');
  if (time[1] == QLatin1Char(' ')) time[1] = QLatin1Char('0');
  time[2] = QLatin1Char(':');
  return time.trimmed();
}

bool JudgeTimeOfDay(const QString& boxText, const QString& expected) {
  return TypedTime(boxText) == expected.trimmed();
}

QuestionVerdict JudgeQuestion(const QString& front, const QString& end, const QString& question, const QString& mark) {
  return {front == question, end == mark};
}
