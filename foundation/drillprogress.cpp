#include "drillprogress.h"

#include "inifile.h"

#include <algorithm>

namespace {

const QByteArray kExamSent = QByteArrayLiteral("EkzamenoSendita");

// A drill's key names a key of the file: letters, digits and dots, never
// the exam's own.
bool IsDrillKey(const QString& key) {
  if (key.isEmpty() || key.size() > 40 || key.compare(QLatin1String(kExamSent), Qt::CaseInsensitive) == 0) return false;
  for (const QChar c : key) {
    if (c.unicode() > 127 || !(c.isLetterOrNumber() || c == QLatin1Char('.'))) return false;
  }
  return true;
}

std::optional<int> Percentage(const QByteArray& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (!ok || value < 0 || value > 100) return std::nullopt;
  return value;
}

}  // namespace

const QByteArray DrillProgress::Section = QByteArrayLiteral("Progreso");

DrillProgress::DrillProgress(TIniFile* file) : file_(file) {}

std::optional<DrillResult> DrillProgress::Result(const QString& drill) const {
  if (!file_ || !IsDrillKey(drill)) return std::nullopt;
  const QByteArrayList parts = file_->ReadBytes(Section, drill.toLatin1(), QByteArray()).split(',');
  if (parts.size() != 2) return std::nullopt;
  const std::optional<int> last = Percentage(parts[0]);
  const std::optional<int> best = Percentage(parts[1]);
  if (!last || !best) return std::nullopt;
  return DrillResult{*last, std::max(*last, *best)};
}

bool DrillProgress::Record(const QString& drill, int percentage) {
  if (!file_ || !IsDrillKey(drill)) return false;
  const int last = qBound(0, percentage, 100);
  const int best = std::max(last, Result(drill).value_or(DrillResult{}).best);
  return file_->WriteBytes(Section, drill.toLatin1(), QByteArray::number(last) + ',' + QByteArray::number(best));
}

int DrillProgress::PassedCount(const QStringList& drills) const {
  int passed = 0;
  for (const QString& drill : drills) {
    if (const std::optional<DrillResult> result = Result(drill); result && result->Passed()) ++passed;
  }
  return passed;
}

bool DrillProgress::ExamSent() const { return file_ && file_->ReadBool(Section, kExamSent, false); }

bool DrillProgress::MarkExamSent() { return file_ && file_->WriteBool(Section, kExamSent, true); }

bool DrillProgress::IsEmpty() const { return !file_ || file_->ReadSection(Section).isEmpty(); }

bool DrillProgress::Reset() { return file_ && file_->EraseSection(Section); }

QString DrillResultsTable(const QString& heading, const QList<DrillRow>& rows) {
  if (rows.isEmpty()) return QString();
  const QString lineEnd = QStringLiteral("\r\n");
  QString table = heading + lineEnd;
  for (const DrillRow& row : rows) {
    table += QLatin1Char('\t') + row.name + QLatin1Char('\t');
    if (!row.result) {
      table += QStringLiteral("—") + lineEnd;
      continue;
    }
    table += QStringLiteral("%1%\t%2%").arg(row.result->last).arg(row.result->best);
    if (row.result->Passed()) table += QStringLiteral("\t✓");
    table += lineEnd;
  }
  return table;
}
