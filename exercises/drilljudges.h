#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

// How each kind of drill judges an answer: plain functions of what the
// learner gave and what the drill expects, without any widget.

// A word chosen among others: right when it is the one asked for.
bool JudgeWordPair(const QString& chosen, const QString& asked);

// A typed sentence, as the learner typed it and as the drill stores it,
// both in the comparison form: Esperanto letters and A–Z folded to lower
// case, blanks at the ends and doubled blanks dropped, full stops ignored.
QString SentenceComparisonForm(const QString& text);
bool JudgeTypedSentence(const QString& typed, const QString& expected);

// The gaps of a sentence whose typed text differs from the stored answer,
// by index; a gap that does not exist holds no text and expects none.
QList<int> WrongGaps(const QStringList& typed, const QStringList& expected);
// Whether a stored gap answer asks for anything at all.
bool GapExists(const QString& expected);

// Whether the word at a place of an accusative sentence takes the ending:
// a place with a word whose ending field is "1", blanks around it allowed.
bool TakesAccusativeEnding(const QString& word, const QString& endingField);
// The places that take the ending but were not given it.
QList<int> MissingEndings(const QVector<bool>& takesEnding, const QVector<bool>& marked);

// A number typed in digits: right when it is the stored number; what is
// not a whole number reads as 0.
qint64 ReadWholeNumber(const QString& text);
bool JudgeNumber(const QString& typed, const QString& expected);

// A time of day typed in the hh:mm box: the five characters with blanks
// where nothing was typed, a blank first or second character read as "0"
// (" 9:30" is "09:30").
QString TypedTime(const QString& boxText);
bool JudgeTimeOfDay(const QString& boxText, const QString& expected);

// A statement made a question: the word put in front and the mark put at
// the end, each right or wrong on its own.
struct QuestionVerdict {
  bool frontRight = false;
  bool endRight = false;
  bool Right() const { return frontRight && endRight; }
};
QuestionVerdict JudgeQuestion(const QString& front, const QString& end, const QString& question, const QString& mark);
