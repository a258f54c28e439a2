#pragma once

#include "drillhost.h"

#include <QString>
#include <QStringList>

// The scored drills of the course as the progress store knows them. A key
// is the drill's exercise code and its kind ("0501.vortludo"): two drills of
// one window may ask the same exercise (lesson 5's word game and listening).
enum class DrillKind { WordGame, Listening, Accusative, GapFilling, Own };

QString DrillKey(DrillKind kind, const QString& code);
// The key of a window's drill of that kind; a gap-filling frame is known by
// its component name. Empty when the window has no such drill.
QString DrillKeyIn(const DrillCodes& codes, DrillKind kind, const QString& frameName = QString());
// The keys of a window's scored drills, in a fixed order: word game,
// listening, accusative, the gap-filling frames, its own drill. The
// pronunciation practice keeps no score and has none.
QStringList ScoredDrillKeys(const DrillCodes& codes);
// How a drill is named in the message to the Monitor, who reads Esperanto:
// its kind and its exercise code ("Vortludo 0103").
QString DrillKeyName(const QString& key);
