#include "greetings.h"

#include "soundnames.h"
#include "verdicts.h"

#include <QRandomGenerator>

QString GreetingWord(int hour, bool preferMatenon) {
  if (hour >= 16 && hour <= 20) return QStringLiteral("vespero");
  if (hour >= 5 && hour <= 11) return preferMatenon ? QStringLiteral("matenon") : QStringLiteral("tagon");
  if (hour >= 12 && hour <= 15) return QStringLiteral("tagon");
  return QStringLiteral("nokton");
}

QString ChooseGreeting(int hour) {
  const QString word = GreetingWord(hour, QRandomGenerator::global()->bounded(2) == 0);
  const QString greeting = RandomSharedVariant(word);
  return greeting.isEmpty() ? RandomSharedVariant(QStringLiteral("saluton")) : greeting;
}

QString ChooseFarewell() {
  const auto& words = SoundNames::Farewells;
  const QString word = QLatin1String(words[QRandomGenerator::global()->bounded(int(words.size()))]);
  return RandomSharedVariant(word);
}
