#include "lessoncatalogue.h"

#include "lec01.h"
#include "lec02.h"
#include "lec03.h"
#include "lec04.h"
#include "lec05.h"
#include "lec05A.h"
#include "lec06.h"
#include "lec07.h"
#include "lec08.h"
#include "lec09.h"
#include "lec10.h"
#include "lec11.h"
#include "lec12.h"

#include <array>

namespace {

template <typename Window>
std::unique_ptr<TLessonWindow> Make(const LessonEntry& entry, QWidget* owner) {
  return std::make_unique<Window>(entry, owner);
}

// From the sixth lesson on, the button and layout names and the lesson
// values differ by one: lesson 6 is "Lec05A".
// clang-format off
const std::array<LessonEntry, 13> kCatalogue{{
    {1, "Lec01", "Form1", "lec01.ui", "lec01", 14929324, "01",
     {.wordGame = "0103", .pronunciation = "0102", .listening = "0102", .own = "0101"},
     &Make<TForm1>},
    {2, "Lec02", "Form2", "lec02.ui", "lec02", 12708798, "02",
     {.wordGame = "0203", .pronunciation = "0201", .listening = "0201", .accusative = "0202",
      .accusativeTexts = "0204", .gaps = {{{"TFrame41", "0204"}}}},
     &Make<TForm2>},
    {3, "Lec03", "Form3", "lec03.ui", "lec03", 12119015, "03",
     {.wordGame = "0303", .pronunciation = "0302", .listening = "0302", .own = "0301"},
     &Make<TForm3>},
    {4, "Lec04", "Form4", "lec04.ui", "lec04", 12239318, "04",
     {.wordGame = "0401", .pronunciation = "0403", .listening = "0403", .own = "0402"},
     &Make<TForm4>},
    {5, "Lec05", "Form5", "lec05.ui", "lec05", 14929324, "05",
     {.wordGame = "0501", .pronunciation = "0501", .listening = "0501", .gaps = {{{"TFrame41", "0502"}}}},
     &Make<TForm5>},
    {6, "Lec05A", "Form5A", "lec05A.ui", "lec05A", 12239318, "5A",
     {.wordGame = "5A01", .pronunciation = "5A01", .listening = "5A01", .accusative = "5A05",
      .accusativeTexts = "5A05", .gaps = {{{"TFrame41", "5A02"}}}},
     &Make<TForm5A>},
    {7, "Lec06", "Form6", "lec06.ui", "lec06", 12708798, "06",
     {.wordGame = "0601", .pronunciation = "0609", .listening = "0603", .gaps = {{{"TFrame41", "0602"}}}},
     &Make<TForm6>},
    // The accusative sentences of lesson 8 are those of its affix drill and share its translations.
    {8, "Lec07", "Form7", "lec07.ui", "lec07", 12119015, "07",
     {.wordGame = "0703", .accusative = "0705", .accusativeTexts = "0702",
      .gaps = {{{"TFrame41", "0701"}, {"Frame42", "0702"}}}},
     &Make<TForm7>},
    {9, "Lec08", "Form8", "lec08.ui", "lec08", 12239318, "08",
     {.wordGame = "0803", .gaps = {{{"TFrame41", "0802"}}}},
     &Make<TForm8>},
    {10, "Lec09", "Form9", "lec09.ui", "lec09", 14929324, "09",
     {.accusative = "0905", .accusativeTexts = "0901", .gaps = {{{"TFrame41", "0902"}, {"Frame42", "0901"}}}},
     &Make<TForm9>},
    {11, "Lec10", "Form10", "lec10.ui", "lec10", 12708798, "10",
     {.wordGame = "1003", .own = "1001"},
     &Make<TForm10>},
    {12, "Lec11", "Form11", "lec11.ui", "lec11", 12239318, "11",
     {.accusative = "1102", .accusativeTexts = "1102"},
     &Make<TForm11>},
    // The final exam: no drills and no recordings, as an exam should be.
    {13, "Lec12", "Form12", "lec12.ui", "lec12", 14929324, "", {}, &Make<TForm12>},
}};
// clang-format on

template <typename Matches>
const LessonEntry* Find(Matches matches) {
  for (const LessonEntry& entry : kCatalogue) {
    if (matches(entry)) return &entry;
  }
  return nullptr;
}

}  // namespace

std::span<const LessonEntry> LessonCatalogue() { return kCatalogue; }

const LessonEntry* LessonOfValue(int lessonValue) {
  return Find([&](const LessonEntry& entry) { return entry.lessonValue == lessonValue; });
}

const LessonEntry* LessonOfButton(const QString& menuButton) {
  return Find([&](const LessonEntry& entry) { return menuButton == QLatin1String(entry.menuButton); });
}

const LessonEntry* LessonOfWindow(const QString& windowName) {
  return Find([&](const LessonEntry& entry) { return windowName == QLatin1String(entry.windowName); });
}
