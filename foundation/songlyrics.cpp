#include "songlyrics.h"

#include "programpaths.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

// How long a line may stay after its own end, in beats.
constexpr double kLingeringBeats = 2;

}  // namespace

QList<SungLine> ReadSungLines(const QString& script) {
  struct Said {
    double beat;
    double beats;
    QString text;
  };
  double beatSeconds = 0.5;
  QList<Said> said;
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  static const QRegularExpression comment(QStringLiteral("(^|\\s)#.*$"));
  for (QString line : script.split(QLatin1Char('\n'))) {
    line = line.remove(comment).trimmed();
    if (line.startsWith(QLatin1String("beat "))) {
      bool ok = false;
      const double seconds = line.mid(5).trimmed().toDouble(&ok);
      if (ok && seconds > 0) beatSeconds = seconds;
    } else if (line.startsWith(QLatin1String("say "))) {
      const QStringList parts = line.split(blanks);
      if (parts.size() < 5) continue;
      bool beatOk = false;
      bool beatsOk = false;
      const double beat = parts[1].toDouble(&beatOk);
      const double beats = parts[2].toDouble(&beatsOk);
      if (!beatOk || !beatsOk || beat < 0 || beats <= 0) continue;
      said.append({beat, beats, parts.mid(4).join(QLatin1Char(' '))});
    }
  }
  std::stable_sort(said.begin(), said.end(), [](const Said& a, const Said& b) { return a.beat < b.beat; });
  auto hundredths = [beatSeconds](double beat) { return static_cast<int>(std::lround(beat * beatSeconds * 100)); };
  QList<SungLine> lines;
  for (qsizetype i = 0; i < said.size(); ++i) {
    double end = said[i].beat + said[i].beats + kLingeringBeats;
    if (i + 1 < said.size()) end = std::min(end, said[i + 1].beat);
    lines.append({hundredths(said[i].beat), hundredths(end), said[i].text});
  }
  return lines;
}

QString LineSungAt(const QList<SungLine>& lines, int hundredths) {
  for (const SungLine& line : lines) {
    if (hundredths >= line.from && hundredths < line.to) return line.text;
  }
  return QString();
}

QList<SungLine> SungLinesOf(const QString& recording) {
  QString script = recording;
  script.replace(QRegularExpression(QStringLiteral("\\.mp3$"), QRegularExpression::CaseInsensitiveOption),
                 QStringLiteral(".song"));
  QFile file(DataPath(script));
  if (script == recording || !file.open(QIODevice::ReadOnly)) return {};
  return ReadSungLines(QString::fromUtf8(file.readAll()));
}
