#pragma once

#include <QString>

#include <array>

// Names of the shared recordings in sonoj\: each base name exists in
// numbered variants "sonoj\" + base + N + ".mp3", N from 1 to 8 (not every
// number needs to exist), except the note, which has no number.
namespace SoundNames {

inline constexpr int VariantCount = 8;

inline constexpr std::array<const char*, 6> Praise{"jes", "trebone", "bonege", "prave", "trafe", "korekte"};
inline constexpr const char* Pass = "gratulo";  // verdict, 70 % or more
inline constexpr const char* Fail = "nebona";   // verdict, under 70 %
inline constexpr const char* Wrong = "ne";      // a wrong answer
inline constexpr const char* Note = "noteto";   // a right typed answer: "sonoj\noteto.mp3"

inline constexpr std::array<const char*, 5> Greetings{"matenon", "tagon", "vespero", "nokton", "saluton"};
inline constexpr std::array<const char*, 4> Farewells{"ghis", "revido", "baldau", "adiau"};

}  // namespace SoundNames

// "sonoj\" + base + variant + ".mp3"; a variant of 0 means no number.
inline QString SharedSoundPath(const QString& base, int variant) {
  return QStringLiteral("sonoj\\") + base + (variant > 0 ? QString::number(variant) : QString()) +
         QStringLiteral(".mp3");
}
