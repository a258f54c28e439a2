// Writes the translator's reference files and the template of a translation
// from the stored layouts, as the program itself loads them:
//   pelano_maketranslationreferences PROGRAM_DIR
// For every window section ("lec01", "konfig" …) and for "Gheneralaj",
// tradukoj\<section>.tdf holds one section per translatable label with its
// source text under "caption". tradukoj\sxablono.txt holds every section
// and key a translation file needs, with empty values, to be copied to a new
// <language>.trd and filled in.
#include "accusative.h"
#include "inilines.h"
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

QByteArray TemplateSection(const QString& name, const Section& section) {
  QByteArray text = "[" + name.toLatin1() + "]\r\n";
  for (const auto& entry : section.entries) text += entry.first.toLatin1() + "=\r\n";
  return text + "\r\n";
}

QByteArray ReferenceFile(const Section& section) {
  QByteArray text;
  for (const auto& [key, caption] : section.entries) {
    text += "[" + key.toLatin1() + "]\r\ncaption=" + EncodeTranslation(caption) + "\r\n\r\n";
  }
  return text;
}

// The exercises whose translated items a translation supplies: every data
// section of Portuguese translations ("0204T") and its number of items.
std::vector<std::pair<QString, int>> TranslatedExercises(const QString& programDir) {
  std::vector<std::pair<QString, int>> exercises;
  static const QRegularExpression translationSection(QStringLiteral("^(\\w{4})T$"));
  const QDir folder(programDir + QStringLiteral("ekzercoj"));
  for (const QString& name : folder.entryList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name)) {
    QByteArray contents;
    if (!IniLines::ReadFile(folder.filePath(name), contents)) continue;
    TUniqueIniFile data(folder.filePath(name));
    data.LoadFromBytes(contents);
    for (const QByteArray& section : data.SectionNames()) {
      const auto match = translationSection.match(QString::fromLatin1(section));
      if (match.hasMatch()) exercises.emplace_back(match.captured(1), int(data.SectionKeys(section).size()));
    }
  }
  return exercises;
}

QByteArray TemplateFile(const Sections& references, const QString& programDir) {
  QByteArray text =
      "[Traduko]\r\nLingvo=\r\nLingvoID=\r\nTiparo=\r\nTradukinto=\r\nKioDosiero=\r\nKielDosiero=\r\n\r\n"
      "[Mesagxoj]\r\n";
  for (const QByteArray& key : MessageKeys()) text += key + "=\r\n";
  text += "\r\n[Menuo]\r\nKioEstas=\r\nKielUzi=\r\nKonfigurado=\r\nKreditoj=\r\nEliri=\r\nKieButono=\r\n\r\n";
  for (const auto& [name, section] : references) text += TemplateSection(ReadingSection(name), section);
  for (const auto& [code, count] : TranslatedExercises(programDir)) {
    text += "[Ekzerco-" + code.toLatin1() + "]\r\n";
    for (int i = 0; i < count; ++i) text += QByteArray::number(i) + "=\r\n";
    text += "\r\n";
  }
  // The explanations of the accusative exercise, built in for Portuguese.
  text += "[Ekzerco-Klarigoj]\r\n";
  const qsizetype explanations = TFrame5::BuiltInExplanations().size();
  for (qsizetype i = 0; i < explanations; ++i) text += QByteArray::number(i) + "=\r\n";
  return text + "\r\n";
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
  ok = WriteIfChanged(folder + QStringLiteral("sxablono.txt"), TemplateFile(references, programDir)) && ok;
  if (!ok) {
    std::fprintf(stderr, "pelano_maketranslationreferences: could not write below %s\n", qPrintable(folder));
    return 1;
  }
  return 0;
}
