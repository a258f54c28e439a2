#include "verdicts.h"

#include "messagebox.h"
#include "messages.h"
#include "playerhelpers.h"
#include "programpaths.h"
#include "soundnames.h"

#include <QMessageBox>
#include <QRandomGenerator>

namespace {

bool IsBlankOrControl(QChar c) { return c.unicode() <= 0x20 || c.category() == QChar::Other_Control; }

void PlayShared(const QString& relativePath) {
  if (!relativePath.isEmpty()) StartPlaying(DataPath(relativePath));
}

}  // namespace

QString NormalizeAnswer(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && IsBlankOrControl(text[begin])) ++begin;
  while (end > begin && IsBlankOrControl(text[end - 1])) --end;
  QString result;
  result.reserve(end - begin);
  QChar last = u' ';
  for (qsizetype i = begin; i < end; ++i) {
    const QChar c = text[i];
    if (c == u'.') continue;
    if (c == u' ' && last == u' ') continue;
    result += c;
    last = c;
  }
  // A blank left before a dropped final stop ("…domon .") is no part of the answer.
  if (result.endsWith(u' ')) result.chop(1);
  return result;
}

int ResultPercentage(int wrong, int right) {
  const qint64 total = qint64(wrong) + right;
  if (total <= 0) return 0;
  const qint64 numerator = qint64(right) * 100;
  const qint64 whole = numerator / total;
  const qint64 twiceRest = 2 * (numerator % total);
  if (twiceRest > total || (twiceRest == total && whole % 2 == 1)) return static_cast<int>(whole + 1);
  return static_cast<int>(whole);
}

void AnnounceResult(int wrong, int right, QWidget* parent) {
  const bool passed = ResultPercentage(wrong, right) >= PassMark;
  if (SoundsEnabled()) PlayShared(RandomSharedVariant(QLatin1String(passed ? SoundNames::Pass : SoundNames::Fail)));
  ShowMessage(parent, QMessageBox::Information, passed ? Messages().smGratulon : Messages().smDenove, QMessageBox::Ok);
}

void PlayPraise() {
  if (!SoundsEnabled()) return;
  int index = LastPraise();
  while (index == LastPraise()) index = QRandomGenerator::global()->bounded(int(SoundNames::Praise.size()));
  LastPraise() = index;
  PlayShared(RandomSharedVariant(QLatin1String(SoundNames::Praise[index])));
}

void PlayNeSound() {
  if (SoundsEnabled()) PlayShared(RandomSharedVariant(QLatin1String(SoundNames::Wrong)));
}

void PlayNoteSound() {
  if (!SoundsEnabled()) return;
  const QString note = SharedSoundPath(QLatin1String(SoundNames::Note), 0);
  if (DataFileExists(note)) PlayShared(note);
}

int& LastPraise() {
  static int index = 0;
  return index;
}

bool& SoundsEnabled() {
  static bool enabled = false;
  return enabled;
}

QString RandomSharedVariant(const QString& base) {
  // Drawing until a variant exists gives each existing one the same chance;
  // choosing among those that exist does the same in bounded time.
  QStringList existing;
  for (int n = 1; n <= SoundNames::VariantCount; ++n) {
    const QString path = SharedSoundPath(base, n);
    if (DataFileExists(path)) existing.append(path);
  }
  if (existing.isEmpty()) return QString();
  return existing[QRandomGenerator::global()->bounded(int(existing.size()))];
}
