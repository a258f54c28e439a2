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

QString DrillKeyIn(const DrillCodes& codes, DrillKind kind, const QString& frameName) {
  QString code;
  switch (kind) {
    case DrillKind::WordGame: code = QLatin1String(codes.wordGame); break;
    case DrillKind::Listening: code = QLatin1String(codes.listening); break;
    case DrillKind::Accusative: code = QLatin1String(codes.accusative); break;
    case DrillKind::GapFilling: code = GapCodeOf(codes, frameName); break;
    case DrillKind::Own: code = QLatin1String(codes.own); break;
  }
  return code.isEmpty() ? QString() : DrillKey(kind, code);
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
