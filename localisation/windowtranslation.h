#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QTabWidget;
class QWidget;

// Whether a translation replaces the built-in Portuguese texts: any language
// but exactly "Português".
bool TranslationMode();

// Gives a component the font of texts in the learner's own language (the
// setting Tiparo), keeping its size and style.
void GiveTranslationFont(QWidget* component);

// Translates a lesson window or the final exam while it is built: plain
// labels from `section` of the translation in force ("Lec01" … "Lec12",
// "Lec05A"), the frames' fixed labels from "Gheneralaj", the translation font
// where the learner's language is typed or read, and the heading strips
// ("Grad…" labels, also inside frames) in the picture of `windowColour`
// (decimal, as the colours of the lesson windows are given). The window is
// the parent of the page control `pagxaro`.
void TranslateLessonWindow(QTabWidget* pagxaro, const QString& section, unsigned windowColour);
// The same for some of a lesson window's components: those of a page built
// after the window.
void TranslateLessonComponents(const QList<QWidget*>& components, const QString& section, unsigned windowColour);

// The built-in instruction of a gap-filling frame for a lesson section such
// as "Lec09" or "Lec05A" (the two digits after "Lec" choose it): the frame
// named "TFrame41" takes the first text of the pair, any other the second.
// Empty for lessons without one.
QString BuiltInGapInstruction(const QString& section, const QString& frameName);

// The picture (a data path such as "figuroj\Blua_strio.png") of the heading
// strips of a window of that colour; empty for a colour without strips.
QString HeadingStripPicture(unsigned windowColour);

// TradukuCxion of the configuration window (section "Konfig"): the language
// box `Lingvo`, plain labels, edit boxes and group boxes take the translation
// font; in translation mode plain labels take their captions from `section`.
void TranslateConfigurationWindow(QWidget* window, const QByteArray& section);

// TradukuCxion of the credits window (section "Menuo4"): the page control
// `PageControl1` and every plain label take the translation font; in
// translation mode plain labels and tab pages take their captions from
// `section`.
void TranslateCreditsWindow(QWidget* window, const QByteArray& section);

// The section the translator writes a window's labels to: "konfig" for
// "Form13", "menuo4" for "Form15", the registered section of each lesson
// window ("lec01" for "Form1"), empty for any other window name (compared
// exactly).
QString SectionOfWindow(const QString& windowName);
// Makes a window's section known; the lesson windows register theirs.
void RegisterWindowSection(const QString& windowName, const QString& section);
