#include "localeabbreviation.h"

namespace {

struct Abbreviation {
  QLocale::Language language;
  QLocale::Territory territory;  // AnyTerritory: the language's usual form
  const char* text;
};

// Countries first, then the form each language takes elsewhere.
constexpr Abbreviation kAbbreviations[] = {
    {QLocale::Portuguese, QLocale::Brazil, "PTB"},
    {QLocale::Portuguese, QLocale::AnyTerritory, "PTG"},
    {QLocale::English, QLocale::UnitedStates, "ENU"},
    {QLocale::English, QLocale::UnitedKingdom, "ENG"},
    {QLocale::English, QLocale::Australia, "ENA"},
    {QLocale::English, QLocale::Canada, "ENC"},
    {QLocale::English, QLocale::Ireland, "ENI"},
    {QLocale::English, QLocale::NewZealand, "ENZ"},
    {QLocale::English, QLocale::SouthAfrica, "ENS"},
    {QLocale::English, QLocale::AnyTerritory, "ENU"},
    {QLocale::Spanish, QLocale::Spain, "ESN"},
    {QLocale::Spanish, QLocale::Mexico, "ESM"},
    {QLocale::Spanish, QLocale::Argentina, "ESS"},
    {QLocale::Spanish, QLocale::Chile, "ESL"},
    {QLocale::Spanish, QLocale::Colombia, "ESO"},
    {QLocale::Spanish, QLocale::AnyTerritory, "ESN"},
    {QLocale::French, QLocale::Canada, "FRC"},
    {QLocale::French, QLocale::Belgium, "FRB"},
    {QLocale::French, QLocale::Switzerland, "FRS"},
    {QLocale::French, QLocale::AnyTerritory, "FRA"},
    {QLocale::German, QLocale::Austria, "DEA"},
    {QLocale::German, QLocale::Switzerland, "DES"},
    {QLocale::German, QLocale::AnyTerritory, "DEU"},
    {QLocale::Italian, QLocale::Switzerland, "ITS"},
    {QLocale::Italian, QLocale::AnyTerritory, "ITA"},
    {QLocale::Dutch, QLocale::Belgium, "NLB"},
    {QLocale::Dutch, QLocale::AnyTerritory, "NLD"},
    {QLocale::Russian, QLocale::AnyTerritory, "RUS"},
    {QLocale::Czech, QLocale::AnyTerritory, "CSY"},
    {QLocale::Slovak, QLocale::AnyTerritory, "SKY"},
    {QLocale::Polish, QLocale::AnyTerritory, "PLK"},
    {QLocale::Greek, QLocale::AnyTerritory, "ELL"},
    {QLocale::Japanese, QLocale::AnyTerritory, "JPN"},
    {QLocale::Korean, QLocale::AnyTerritory, "KOR"},
    {QLocale::Chinese, QLocale::Taiwan, "CHT"},
    {QLocale::Chinese, QLocale::HongKong, "ZHH"},
    {QLocale::Chinese, QLocale::AnyTerritory, "CHS"},
    {QLocale::Croatian, QLocale::AnyTerritory, "HRV"},
    {QLocale::Lithuanian, QLocale::AnyTerritory, "LTH"},
    {QLocale::Latvian, QLocale::AnyTerritory, "LVI"},
    {QLocale::Estonian, QLocale::AnyTerritory, "ETI"},
    {QLocale::NorwegianBokmal, QLocale::AnyTerritory, "NOR"},
    {QLocale::NorwegianNynorsk, QLocale::AnyTerritory, "NON"},
    {QLocale::Swedish, QLocale::AnyTerritory, "SVE"},
    {QLocale::Danish, QLocale::AnyTerritory, "DAN"},
    {QLocale::Finnish, QLocale::AnyTerritory, "FIN"},
    {QLocale::Icelandic, QLocale::AnyTerritory, "ISL"},
    {QLocale::Hungarian, QLocale::AnyTerritory, "HUN"},
    {QLocale::Romanian, QLocale::AnyTerritory, "ROM"},
    {QLocale::Bulgarian, QLocale::AnyTerritory, "BGR"},
    {QLocale::Ukrainian, QLocale::AnyTerritory, "UKR"},
    {QLocale::Slovenian, QLocale::AnyTerritory, "SLV"},
    {QLocale::Turkish, QLocale::AnyTerritory, "TRK"},
    {QLocale::Hebrew, QLocale::AnyTerritory, "HEB"},
    {QLocale::Arabic, QLocale::AnyTerritory, "ARA"},
    {QLocale::Catalan, QLocale::AnyTerritory, "CAT"},
    {QLocale::Basque, QLocale::AnyTerritory, "EUQ"},
    {QLocale::Galician, QLocale::AnyTerritory, "GLC"},
    {QLocale::Indonesian, QLocale::AnyTerritory, "IND"},
    {QLocale::Vietnamese, QLocale::AnyTerritory, "VIT"},
    {QLocale::Thai, QLocale::AnyTerritory, "THA"},
    {QLocale::Hindi, QLocale::AnyTerritory, "HIN"},
    {QLocale::Persian, QLocale::AnyTerritory, "FAR"},
};

}  // namespace

QString LanguageAbbreviation(const QLocale& locale) {
  // Serbian in Latin letters and in Cyrillic are told apart by their script.
  if (locale.language() == QLocale::Serbian) {
    return QLatin1String(locale.script() == QLocale::CyrillicScript ? "SRB" : "SRL");
  }
  for (const Abbreviation& entry : kAbbreviations) {
    if (entry.language != locale.language()) continue;
    if (entry.territory == QLocale::AnyTerritory || entry.territory == locale.territory()) {
      return QLatin1String(entry.text);
    }
  }
  return QLocale::languageToCode(locale.language()).toUpper();
}
