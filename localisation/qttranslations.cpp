#include "qttranslations.h"

#include "translationfile.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace {

// The keys of [QtButonoj] for the texts of Qt's standard buttons.
struct ButtonCaption {
  const char* qtText;
  const char* key;
};
constexpr ButtonCaption kButtonCaptions[] = {
    {"OK", "Bone"},       {"&OK", "Bone"},       {"Cancel", "Nuligi"}, {"&Cancel", "Nuligi"}, {"&Yes", "Jes"},
    {"&No", "Ne"},        {"Yes", "Jes"},        {"No", "Ne"},         {"Close", "Fermi"},    {"&Close", "Fermi"},
    {"Save", "Konservi"}, {"&Save", "Konservi"}, {"Apply", "Apliki"},  {"Help", "Helpo"},
};

// Qt's button captions from the translation in force.
class CourseButtonCaptions : public QTranslator {
 public:
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* sourceText, const char*, int) const override {
    if (qstrcmp(context, "QPlatformTheme") != 0 && qstrcmp(context, "QDialogButtonBox") != 0) return QString();
    for (const ButtonCaption& caption : kButtonCaptions) {
      if (qstrcmp(caption.qtText, sourceText) != 0) continue;
      const QString text = ReadCaption("QtButonoj", caption.key);
      return text == NotTranslated ? QString() : text;
    }
    return QString();
  }
};

std::unique_ptr<QTranslator>& InstalledTranslator() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}

// Qt's translation of a language, when the system has one.
std::unique_ptr<QTranslator> QtTranslation(const QString& languageId) {
  QLocale locale(languageId);
  if (locale.language() == QLocale::C) locale = QLocale(languageId.left(2).toLower());
  if (locale.language() == QLocale::C) return nullptr;
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return nullptr;
  }
  return translator;
}

}  // namespace

void SpeakQtInCourseLanguage(const QString& languageId) {
  std::unique_ptr<QTranslator>& installed = InstalledTranslator();
  if (installed) QCoreApplication::removeTranslator(installed.get());
  installed = QtTranslation(languageId);
  // Qt's texts are English to begin with.
  const bool english = QLocale(languageId).language() == QLocale::English ||
                       languageId.startsWith(QLatin1String("EN"), Qt::CaseInsensitive);
  if (!installed && !english && TranslationFile()) installed = std::make_unique<CourseButtonCaptions>();
  if (installed) QCoreApplication::installTranslator(installed.get());
}
