// Takes the course's translation files to translators' tools and back:
//   pelano-gettext pot SOURCE OUT.pot          the template, for a new language
//   pelano-gettext po SOURCE FILE.trd OUT.po   a translation, with its sources
//   pelano-gettext trd FILE.po OUT.trd         a translation back for the course
// SOURCE is tradukoj/fonto.txt beside the program: every key with the
// Portuguese it translates.
#include "gettextfiles.h"
#include "inilines.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: pelano-gettext pot SOURCE OUT.pot\n"
               "       pelano-gettext po SOURCE FILE.trd OUT.po\n"
               "       pelano-gettext trd FILE.po OUT.trd\n"
               "SOURCE is tradukoj/fonto.txt beside the course's program.\n");
  return 2;
}

bool Read(const QString& path, QByteArray& contents) {
  if (IniLines::ReadFile(path, contents)) return true;
  std::fprintf(stderr, "pelano-gettext: cannot read %s\n", qPrintable(path));
  return false;
}

int Write(const QString& path, const QByteArray& contents) {
  if (IniLines::WriteFileAtomically(path, contents)) return 0;
  std::fprintf(stderr, "pelano-gettext: cannot write %s\n", qPrintable(path));
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  const QStringList arguments = application.arguments().mid(1);
  const QString command = arguments.value(0);
  QByteArray first, second;
  if (command == QLatin1String("pot") && arguments.size() == 3) {
    if (!Read(arguments[1], first)) return 1;
    QList<TranslationEntry> entries = ReadTranslationTable(first);
    for (TranslationEntry& entry : entries) entry.source = std::exchange(entry.translation, QByteArray());
    return Write(arguments[2], WritePoFile(entries, true));
  }
  if (command == QLatin1String("po") && arguments.size() == 4) {
    if (!Read(arguments[1], first) || !Read(arguments[2], second)) return 1;
    QList<TranslationEntry> entries = ReadTranslationTable(second);
    AddSources(entries, first);
    return Write(arguments[3], WritePoFile(entries, false));
  }
  if (command == QLatin1String("trd") && arguments.size() == 3) {
    if (!Read(arguments[1], first)) return 1;
    QString error;
    const auto entries = ReadPoFile(first, &error);
    if (!entries) {
      std::fprintf(stderr, "pelano-gettext: %s: %s\n", qPrintable(arguments[1]), qPrintable(error));
      return 1;
    }
    return Write(arguments[2], WriteTranslationTable(*entries));
  }
  return Usage();
}
