// Writes the translator's reference files and the template of a translation
// from the stored layouts, as the program itself loads them:
//   pelano_maketranslationreferences PROGRAM_DIR
// For every window section ("lec01", "konfig" …) and for "Gheneralaj",
// tradukoj\<section>.tdf holds one section per translatable label with its
// source text under "caption". tradukoj\sxablono.txt holds every section
// and key a translation file needs, with empty values, to be copied to a new
// <language>.trd and filled in; tradukoj\fonto.txt holds the same sections
// and keys with the Portuguese text each one translates, which translators'
// tools show beside the translation.
#include "accusative.h"
#include "inilines.h"
#include "languagechoice.h"
#include "layoutpaths.h"
#include "lessonwindows.h"
#include "messages.h"
#include "ownedcomponents.h"
#include "programpaths.h"
#include "sharedinifile.h"
#include "storedtext.h"
#include "translatablelabels.h"
#include "uiloader.h"
#include "windowtranslation.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>

#include <cstdio>
#include <map>
#include <memory>
#include <vector>

namespace {

// The keys of one section in the order the layouts give them, with their source texts.
struct Section {
  std::vector<std::pair<QString, QString>> entries;
  void Add(const QString& key, const QString& text) {
    for (const auto& entry : entries) {
      if (entry.first.compare(key, Qt::CaseInsensitive) == 0) return;
    }
    entries.emplace_back(key, text);
  }
};

using Sections = std::map<QString, Section>;

// The section a window's labels are read from: "Lec01" for "lec01".
QString ReadingSection(const QString& section) { return section.left(1).toUpper() + section.mid(1); }

void CollectFrame(QWidget* frame, const QString& windowSection, Sections& references) {
  for (QWidget* component : OwnedComponents(frame)) {
    if (!IsPlainLabel(component)) continue;
    const QString key = FrameLabelKey(component->objectName(), frame->objectName());
    if (key.isEmpty()) continue;
    if (IsLessonFrameLabelKey(key)) {
      if (windowSection.isEmpty()) continue;
      references[windowSection].Add(key, BuiltInGapInstruction(ReadingSection(windowSection), frame->objectName()));
    } else if (key == QLatin1String("TFrame4.Label83")) {
      references[GeneralSection].Add(key, QStringLiteral("Exercícios"));
    } else {
      references[GeneralSection].Add(key, static_cast<QLabel*>(component)->text());
    }
  }
}

void CollectWindow(QWidget* window, const QString& section, Sections& references) {
  Section& own = references[section];
  for (QWidget* component : OwnedComponents(window)) {
    if (IsPlainLabel(component)) own.Add(component->objectName(), static_cast<QLabel*>(component)->text());
    if (qobject_cast<TFrame*>(component)) CollectFrame(component, section, references);
  }
  // The credits window translates its tab pages too.
  if (auto* pages = window->findChild<QTabWidget*>(QStringLiteral("PageControl1"))) {
    for (int i = 0; i < pages->count(); ++i) own.Add(pages->widget(i)->objectName(), pages->tabText(i));
  }
}

QByteArray ReferenceFile(const Section& section) {
  QByteArray text;
  for (const auto& [key, caption] : section.entries) {
    text += "[" + key.toLatin1() + "]\r\ncaption=" + EncodeTranslation(caption) + "\r\n\r\n";
  }
  return text;
}

// The exercises whose translated items a translation supplies: every data
// section of Portuguese translations ("0204T") with its items, in file order.
std::vector<std::pair<QString, QStringList>> TranslatedExercises(const QString& programDir) {
  std::vector<std::pair<QString, QStringList>> exercises;
  static const QRegularExpression translationSection(QStringLiteral("^(\\w{4})T$"));
  const QDir folder(programDir + QStringLiteral("ekzercoj"));
  for (const QString& name : folder.entryList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name)) {
    QByteArray contents;
    if (!IniLines::ReadFile(folder.filePath(name), contents)) continue;
    TUniqueIniFile data(folder.filePath(name));
    data.LoadFromBytes(contents);
    for (const QByteArray& section : data.SectionNames()) {
      const auto match = translationSection.match(QString::fromLatin1(section));
      if (!match.hasMatch()) continue;
      QStringList items;
      for (const QByteArray& key : data.SectionKeys(section)) {
        items.append(DecodeTranslation(data.Read(section, key)));
      }
      exercises.emplace_back(match.captured(1), items);
    }
  }
  return exercises;
}

// Every section and key a translation file holds, in file order, with the
// Portuguese text each one translates.
std::vector<std::pair<QString, Section>> SourceTable(const Sections& references, const QString& programDir) {
  std::vector<std::pair<QString, Section>> table;
  Section traduko;
  traduko.Add(QStringLiteral("Lingvo"), BuiltInLanguageEntry);
  traduko.Add(QStringLiteral("LingvoID"), QStringLiteral("PTB"));
  traduko.Add(QStringLiteral("Tiparo"), QStringLiteral("Arial"));
  traduko.Add(QStringLiteral("Tradukinto"), QString());
  traduko.Add(QStringLiteral("KioDosiero"), QStringLiteral("kioestas.rtf"));
  traduko.Add(QStringLiteral("KielDosiero"), QStringLiteral("kieluzi.rtf"));
  table.emplace_back(QStringLiteral("Traduko"), traduko);

  Section messages;
  for (const QByteArray& key : MessageKeys()) messages.Add(QString::fromLatin1(key), BuiltInMessage(key));
  table.emplace_back(QStringLiteral("Mesagxoj"), messages);

  SetBuiltInMessages();
  const MenuCaptions& captions = MenuTexts();
  Section menu;
  menu.Add(QStringLiteral("KioEstas"), captions.KioEstas);
  menu.Add(QStringLiteral("KielUzi"), captions.KielUzi);
  menu.Add(QStringLiteral("Konfigurado"), captions.Konfigurado);
  menu.Add(QStringLiteral("Kreditoj"), captions.Kreditoj);
  menu.Add(QStringLiteral("Eliri"), captions.Eliri);
  menu.Add(QStringLiteral("KieButono"), captions.KieButono);
  table.emplace_back(QStringLiteral("Menuo"), menu);

  for (const auto& [name, section] : references) table.emplace_back(ReadingSection(name), section);
  for (const auto& [code, items] : TranslatedExercises(programDir)) {
    Section exercise;
    for (int i = 0; i < items.size(); ++i) exercise.Add(QString::number(i), items[i]);
    table.emplace_back(QStringLiteral("Ekzerco-") + code, exercise);
  }
  // The explanations of the accusative exercise, built in for Portuguese.
  Section explanations;
  const QStringList builtIn = TFrame5::BuiltInExplanations();
  for (int i = 0; i < builtIn.size(); ++i) explanations.Add(QString::number(i), builtIn[i]);
  table.emplace_back(QStringLiteral("Ekzerco-Klarigoj"), explanations);
  return table;
}

// The table as a translation file: with empty values it is the template of a
// new translation, with the source texts the Portuguese every key translates.
QByteArray TableFile(const std::vector<std::pair<QString, Section>>& table, bool withSources) {
  QByteArray text;
  for (const auto& [name, section] : table) {
    text += "[" + name.toLatin1() + "]\r\n";
    for (const auto& [key, source] : section.entries) {
      text += key.toLatin1() + "=" + (withSources ? EncodeTranslation(source) : QByteArray()) + "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

// Rewrites a file only when its contents change, so that its time tells when it last did.
bool WriteIfChanged(const QString& path, const QByteArray& contents) {
  QByteArray present;
  if (QFile::exists(path) && IniLines::ReadFile(path, present) && present == contents) return true;
  return IniLines::WriteFileAtomically(path, contents);
}

}  // namespace

int main(int argc, char* argv[]) {
  // The layouts are read with the program's own loader, which needs widgets but no screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s PROGRAM_DIR\n", argv[0]);
    return 2;
  }
  QString programDir = QString::fromLocal8Bit(argv[1]);
  if (!programDir.endsWith(QLatin1Char('/'))) programDir += QLatin1Char('/');
  SetProgramFolder(programDir);
  RegisterLessonWidgets();

  Sections references;
  references[GeneralSection];
  for (const QString& path : AllLayoutPaths()) {
    std::unique_ptr<QWidget> root(PelanoUiLoader::Load(path, nullptr));
    if (!root) {
      std::fprintf(stderr, "pelano_maketranslationreferences: %s could not be loaded, skipped\n", qPrintable(path));
      continue;
    }
    const QString section = SectionOfWindow(root->objectName());
    if (!section.isEmpty()) {
      CollectWindow(root.get(), section, references);
    } else if (root->objectName().startsWith(QLatin1String("TFrame"))) {
      // A frame's own layout: its fixed labels, also for frames no lesson holds yet.
      CollectFrame(root.get(), QString(), references);
    }
  }

  const QString folder = programDir + QStringLiteral("tradukoj/");
  bool ok = true;
  for (const auto& [name, section] : references) {
    ok = WriteIfChanged(folder + name + QStringLiteral(".tdf"), ReferenceFile(section)) && ok;
  }
  const auto table = SourceTable(references, programDir);
  ok = WriteIfChanged(folder + QStringLiteral("sxablono.txt"), TableFile(table, false)) && ok;
  ok = WriteIfChanged(folder + QStringLiteral("fonto.txt"), TableFile(table, true)) && ok;
  if (!ok) {
    std::fprintf(stderr, "pelano_maketranslationreferences: could not write below %s\n", qPrintable(folder));
    return 1;
  }
  return 0;
}
