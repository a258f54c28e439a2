#pragma once

#include <QString>

#include <functional>

// The word of the greeting for an hour of the day (0 to 23): "vespero" from
// 16 to 20, "matenon" or "tagon" from 5 to 11 (as `morningChoice` says),
// "tagon" from 12 to 15, "nokton" at every other hour.
QString GreetingWord(int hour, bool preferMatenon);

// The recording to greet with at that hour ("sonoj\…"): a variant of the
// hour's greeting, else of "saluton"; empty when none exists.
QString ChooseGreeting(int hour);
// A farewell recording: one of "ghis", "revido", "baldau", "adiau"; empty when none exists.
QString ChooseFarewell();
