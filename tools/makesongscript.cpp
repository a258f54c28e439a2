#include "makesongscript.h"

#include <QRegularExpression>

#include <cmath>

namespace {

const QStringList kDrumPatterns{QStringLiteral("off"), QStringLiteral("soft"), QStringLiteral("half"),
                                QStringLiteral("full"), QStringLiteral("fill")};

std::optional<double> Number(const QString& text) {
  bool ok = false;
  const double value = text.toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int> Whole(const QString& text) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok) return std::nullopt;
  return value;
}

}  // namespace

std::optional<int> NoteNumber(const QString& name) {
  static const QRegularExpression pattern(QStringLiteral("^([A-G])([#b]?)(-?\\d)$"));
  const QRegularExpressionMatch match = pattern.match(name);
  if (!match.hasMatch()) return std::nullopt;
  static const int steps[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  int semitone = steps[match.captured(1).at(0).unicode() - 'A'];
  if (match.captured(2) == QLatin1String("#")) ++semitone;
  if (match.captured(2) == QLatin1String("b")) --semitone;
  return 12 * (match.captured(3).toInt() + 1) + semitone;
}

std::optional<QList<int>> ChordTones(const QString& name) {
  static const QRegularExpression pattern(QStringLiteral("^([A-G][#b]?)(m|m7|7|maj7|sus4|)$"));
  const QRegularExpressionMatch match = pattern.match(name);
  if (!match.hasMatch()) return std::nullopt;
  const int root = *NoteNumber(match.captured(1) + QLatin1Char('4'));
  const QString kind = match.captured(2);
  QList<int> intervals{0, 4, 7};
  if (kind == QLatin1String("m")) intervals = {0, 3, 7};
  if (kind == QLatin1String("m7")) intervals = {0, 3, 7, 10};
  if (kind == QLatin1String("7")) intervals = {0, 4, 7, 10};
  if (kind == QLatin1String("maj7")) intervals = {0, 4, 7, 11};
  if (kind == QLatin1String("sus4")) intervals = {0, 5, 7};
  QList<int> tones;
  for (const int interval : intervals) tones.append(root + interval);
  return tones;
}

std::optional<double> BeatLength(const QString& text) {
  std::optional<double> value;
  if (const qsizetype slash = text.indexOf(QLatin1Char('/')); slash > 0) {
    const std::optional<double> over = Number(text.left(slash));
    const std::optional<double> under = Number(text.mid(slash + 1));
    if (over && under && *under != 0) value = *over / *under;
  } else {
    value = Number(text);
  }
  if (!value || *value <= 0) return std::nullopt;
  return value;
}

std::optional<SongScript> ParseSongScript(const QString& text, QString* error) {
  SongScript script;
  const QStringList lines = text.split(QLatin1Char('\n'));
  for (qsizetype index = 0; index < lines.size(); ++index) {
    QString line = lines[index];
    // A comment begins with a "#" that starts the line or follows a blank; "F#4" is a note.
    static const QRegularExpression comment(QStringLiteral("(^|\\s)#.*$"));
    line.remove(comment);
    line = line.trimmed();
    if (line.isEmpty()) continue;
    const QStringList words = line.split(QRegularExpression(QStringLiteral("\\s+")));
    const QString& keyword = words.first();
    bool ok = false;
    if (keyword == QLatin1String("beat") && words.size() == 2) {
      const std::optional<double> seconds = Number(words[1]);
      ok = seconds && *seconds > 0.05 && *seconds < 10;
      if (ok) script.beatSeconds = *seconds;
    } else if (keyword == QLatin1String("length") && words.size() == 2) {
      const std::optional<double> seconds = Number(words[1]);
      ok = seconds && *seconds > 0 && *seconds <= 600;
      if (ok) script.lengthSeconds = *seconds;
    } else if (keyword == QLatin1String("voice") && words.size() == 4) {
      const std::optional<int> speed = Whole(words[2]);
      const std::optional<int> pitch = Whole(words[3]);
      ok = speed && pitch && *speed >= 80 && *speed <= 450 && *pitch >= 0 && *pitch <= 99;
      if (ok) {
        script.voice = words[1];
        script.voiceSpeed = *speed;
        script.voicePitch = *pitch;
      }
    } else if (keyword == QLatin1String("chords") && words.size() >= 4) {
      const std::optional<double> start = Number(words[1]);
      const std::optional<double> each = BeatLength(words[2]);
      ok = start && *start >= 0 && each;
      for (qsizetype i = 3; ok && i < words.size(); ++i) {
        const std::optional<QList<int>> tones = ChordTones(words[i]);
        ok = tones.has_value();
        if (ok) script.chords.append({*start + double(i - 3) * *each, *each, *tones});
      }
    } else if (keyword == QLatin1String("drums") && words.size() == 4) {
      const std::optional<int> first = Whole(words[1]);
      const std::optional<int> last = Whole(words[2]);
      ok = first && last && *first >= 0 && *last >= *first && kDrumPatterns.contains(words[3]);
      if (ok) script.drums.append({*first, *last, words[3]});
    } else if (keyword == QLatin1String("melody") && words.size() >= 3) {
      std::optional<double> beat = Number(words[1]);
      ok = beat && *beat >= 0;
      for (qsizetype i = 2; ok && i < words.size(); ++i) {
        const QStringList parts = words[i].split(QLatin1Char(':'));
        const std::optional<double> length = parts.size() == 2 ? BeatLength(parts[1]) : std::nullopt;
        const bool rest = parts.first() == QLatin1String("R");
        const std::optional<int> midi = rest ? std::optional<int>(0) : NoteNumber(parts.first());
        if (!length || !midi) {
          ok = false;
          break;
        }
        if (!rest) script.melody.append({*beat, length.value(), midi.value()});
        *beat += length.value();
      }
    } else if (keyword == QLatin1String("say") && words.size() >= 5) {
      const std::optional<double> beat = Number(words[1]);
      const std::optional<double> beats = BeatLength(words[2]);
      const std::optional<int> pitch = Whole(words[3]);
      ok = beat && *beat >= 0 && beats && pitch && *pitch >= 0 && *pitch <= 99;
      if (ok) script.lines.append({*beat, *beats, *pitch, words.mid(4).join(QLatin1Char(' '))});
    }
    if (!ok) {
      if (error) *error = QStringLiteral("line %1: cannot read \"%2\"").arg(index + 1).arg(line);
      return std::nullopt;
    }
  }
  if (script.lengthSeconds <= 0) {
    if (error) *error = QStringLiteral("the script gives no length");
    return std::nullopt;
  }
  return script;
}
