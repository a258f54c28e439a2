#include "drillkeys.h"

#include <array>

namespace {

struct KindName {
  DrillKind kind;
  const char* key;   // in the store
  const char* name;  // for the Monitor, UTF-8
};

constexpr std::array<KindName, 5> kKinds{{
    {DrillKind::WordGame, "vortludo", "Vortludo"},
    {DrillKind::Listening, "auskultado", "Aŭskultado"},
    {DrillKind::Accusative, "akuzativo", "Akuzativo"},
    {DrillKind::GapFilling, "kompletigo", "Kompletigo"},
    {DrillKind::Own, "ekzerco", "Ekzerco"},
}};

}  // namespace

QString DrillKey(DrillKind kind, const QString& code) {
  for (const KindName& entry : kKinds) {
    if (entry.kind == kind) return code + QLatin1Char('.') + QLatin1String(entry.key);
  }
  return QString();
}

QStringList ScoredDrillKeys(const DrillCodes& codes) {
  QStringList keys;
  auto add = [&keys](DrillKind kind, const char* code) {
    const QString key = DrillKey(kind, QLatin1String(code));
    if (*code && !keys.contains(key)) keys.append(key);
  };
  add(DrillKind::WordGame, codes.wordGame);
  add(DrillKind::Listening, codes.listening);
  add(DrillKind::Accusative, codes.accusative);
  for (const GapDrill& gaps : codes.gaps) add(DrillKind::GapFilling, gaps.code);
  add(DrillKind::Own, codes.own);
  return keys;
}

QString DrillKeyName(const QString& key) {
  const QString code = key.section(QLatin1Char('.'), 0, 0);
  const QString kind = key.section(QLatin1Char('.'), 1);
  for (const KindName& entry : kKinds) {
    if (kind == QLatin1String(entry.key)) return QString::fromUtf8(entry.name) + QLatin1Char(' ') + code;
  }
  return key;
}
