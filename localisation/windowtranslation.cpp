#include "windowtranslation.h"

#include "ownedcomponents.h"
#include "programpaths.h"
#include "settings.h"
#include "statictext.h"
#include "translatablelabels.h"
#include "translatedtext.h"
#include "translationfile.h"
#include "uiloader.h"

#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextEdit>

#include <array>

namespace {

// The instructions of the gap-filling frames in the built-in language, by
// lesson section number: the first for the frame TFrame41, the second for
// the lesson's other gap-filling frame.
struct GapInstructions {
  const char16_t* first;
  const char16_t* second;
};

constexpr std::array<GapInstructions, 13> kGapInstructions{{
    {u"", u""},
    {u"", u""},
    {u"De acordo com a tradução, preencha os espaços em branco com a parte que falta. Lembre-se de colocar o "
     u"plural \"j\" e o acusativo \"n\" onde necessário. Quando achar que a frase está completada corretamente, "
     u"clique no botão em baixo ou pressione Enter para confirmação. Tente obter no mínimo 70% de acerto.",
     u""},
    {u"", u""},
    {u"", u""},
    {u"Orientando-se pela tradução, preencha o espaço em branco com o correlativo adequado. Atente que alguns "
     u"correlativos poderão ter a terminação do plural e/ou do acusativo. Quando achar que a frase está completada "
     u"corretamente, clique no botão em baixo ou pressione Enter para confirmação. Tente obter no mínimo 70% de "
     u"acerto.",
     u""},
    {u"De acordo com a tradução, preencha o espaço em branco com a preposição adequada. Quando achar que a frase "
     u"está completada corretamente, clique no botão em baixo ou pressione Enter para confirmação. Tente obter no "
     u"mínimo 70% de acerto.",
     u""},
    {u"De acordo com a tradução, preencha o espaço em branco com a palavra adequada. Quando achar que a frase está "
     u"completada corretamente, clique no botão em baixo ou pressione Enter para confirmação. Tente obter no mínimo "
     u"70% de acerto.",
     u"De acordo com a tradução, preencha o espaço em branco com o prefixo ou sufixo adequado. Coloque também as "
     u"terminações gramaticais, onde necessário. Quando achar que a frase está completada corretamente, clique no "
     u"botão em baixo ou pressione Enter para confirmação. Tente obter no mínimo 70% de acerto."},
    {u"De acordo com a tradução, preencha o espaço em branco com o sufixo adequado, não se esquecendo das "
     u"terminações gramaticais. Quando achar que a frase está completada corretamente, clique no botão em baixo ou "
     u"pressione Enter para confirmação. Tente obter no mínimo 70% de acerto.",
     u""},
    {u"De acordo com a tradução, preencha o espaço em branco com a terminação verbal adequada. Quando achar que a "
     u"frase está completada corretamente, clique no botão em baixo ou pressione Enter para confirmação. Tente obter "
     u"no mínimo 70% de acerto.",
     u"De acordo com a tradução, preencha o espaço em branco com o pronome adequado. Lembre-se que, conforme sua "
     u"função na frase, o pronome poderá receber as terminações \"a\", \"aj\" e \"n\". Quando achar que a frase está "
     u"completada corretamente, clique no botão em baixo ou pressione Enter para confirmação. Tente obter no mínimo "
     u"70% de acerto."},
    {u"", u""},
    {u"", u""},
    {u"", u""},
}};

bool TagInTranslationRange(const QWidget* component) {
  const int tag = ComponentTag(component);
  return tag >= 128 && tag <= 255;
}

bool IsMemo(const QWidget* component) {
  return qobject_cast<const QPlainTextEdit*>(component) || qobject_cast<const QTextEdit*>(component);
}

// Texts typed or read in the learner's own language.
bool TakesTranslationFont(const QWidget* component, bool memos) {
  if (IsPlainLabel(component)) return true;
  if (memos && IsMemo(component)) return TagInTranslationRange(component);
  if (qobject_cast<const QLineEdit*>(component)) return TagInTranslationRange(component);
  const QString name = component->objectName();
  if (qobject_cast<const QGroupBox*>(component)) return name == QLatin1String("Grupo");
  if (qobject_cast<const StaticText*>(component)) {
    return name.contains(QLatin1String("raduk")) || name.contains(QLatin1String("VortoTrad"));
  }
  return false;
}

void ShowHeadingStrip(QWidget* component, const QString& strip) {
  auto* heading = qobject_cast<QLabel*>(component);
  if (strip.isEmpty() || !heading || !heading->objectName().startsWith(QLatin1String("Grad"))) return;
  heading->setStyleSheet(
      QStringLiteral("QLabel { border-image: url(%1) 0 0 0 0 stretch stretch; padding-left: 8px; }").arg(strip));
}

// The fixed labels of the exercise frames, by name, whatever the frame.
QByteArray GeneralKey(const QString& name) {
  if (name == QLatin1String("Label7")) return "TFrame1.Label7";
  if (name == QLatin1String("PP_Label41")) return "TFrame2.PP_Label41";
  if (name == QLatin1String("PP_Label1")) return "TFrame2.PP_Label1";
  if (name == QLatin1String("PP_Modelo")) return "TFrame2.PP_Modelo";
  if (name == QLatin1String("PP_Vocxo")) return "TFrame2.PP_Vocxo";
  if (name == QLatin1String("PP_Silento")) return "TFrame2.PP_Silento";
  if (name == QLatin1String("Label68")) return "TFrame3.Label68";
  if (name == QLatin1String("Label59")) return "TFrame3.Label59";
  if (name == QLatin1String("Label6")) return "TFrame5.Label6";
  if (name == QLatin1String("Label1")) return "TFrame5.Label1";
  if (name == QLatin1String("Label83")) return "TFrame4.Label83";
  return QByteArray();
}

void TranslateFrameLabel(QLabel* label, const QWidget* frame, const QByteArray& section, bool translating) {
  const QString name = label->objectName();
  if (name == QLatin1String("Label84")) {
    const bool first = frame->objectName() == QLatin1String("TFrame41");
    if (translating) {
      SetTranslatedText(label, ReadCaption(section, first ? "TFrame41.Label84" : "Frame42.Label84"));
    } else {
      label->setText(BuiltInGapInstruction(QString::fromLatin1(section), frame->objectName()));
    }
    return;
  }
  const QByteArray key = GeneralKey(name);
  if (key.isEmpty()) return;
  if (translating) {
    SetTranslatedText(label, ReadCaption("Gheneralaj", key));
  } else if (name == QLatin1String("Label83")) {
    label->setText(QStringLiteral("Exercícios"));
  }
}

void TranslateFrame(QWidget* frame, const QByteArray& section, bool translating, const QString& strip) {
  for (QWidget* sub : OwnedComponents(frame)) {
    ShowHeadingStrip(sub, strip);
    if (auto* label = qobject_cast<QLabel*>(sub); label && IsPlainLabel(label)) {
      TranslateFrameLabel(label, frame, section, translating);
    }
    if (TakesTranslationFont(sub, false)) GiveTranslationFont(sub);
  }
}

}  // namespace

bool TranslationMode() { return CurrentSettings().Lingvo != Portuguese; }

void GiveTranslationFont(QWidget* component) {
  QFont font = component->font();
  font.setFamily(CurrentSettings().Tiparo);
  component->setFont(font);
}

QString HeadingStripPicture(unsigned windowColour) {
  switch (windowColour) {
    case 12119015: return QStringLiteral("figuroj\\flava_strio.png");
    case 12239318: return QStringLiteral("figuroj\\rugxa_strio.png");
    case 12708798: return QStringLiteral("figuroj\\verda_strio.png");
    case 14929324: return QStringLiteral("figuroj\\Blua_strio.png");
    default: return QString();
  }
}

QString BuiltInGapInstruction(const QString& section, const QString& frameName) {
  if (!section.startsWith(QLatin1String("Lec"))) return QString();
  bool ok = false;
  const int pair = section.mid(3, 2).toInt(&ok);
  if (!ok || pair < 0 || pair >= int(kGapInstructions.size())) return QString();
  const GapInstructions& texts = kGapInstructions[pair];
  return QString::fromUtf16(frameName == QLatin1String("TFrame41") ? texts.first : texts.second);
}

void TranslateLessonWindow(QTabWidget* pagxaro, const QString& section, unsigned windowColour) {
  QWidget* window = pagxaro ? pagxaro->parentWidget() : nullptr;
  if (!window) return;
  TranslateLessonComponents(OwnedComponents(window), section, windowColour);
}

void TranslateLessonComponents(const QList<QWidget*>& components, const QString& section, unsigned windowColour) {
  const bool translating = TranslationMode();
  const QByteArray sectionName = section.toLatin1();
  const QString stripPath = HeadingStripPicture(windowColour);
  const QString strip = stripPath.isEmpty() ? QString() : DataPath(stripPath);
  for (QWidget* component : components) {
    ShowHeadingStrip(component, strip);
    if (TakesTranslationFont(component, true)) GiveTranslationFont(component);
    if (translating && IsPlainLabel(component)) {
      SetTranslatedText(static_cast<QLabel*>(component), ReadCaption(sectionName, component->objectName().toLatin1()));
    }
    if (qobject_cast<TFrame*>(component)) TranslateFrame(component, sectionName, translating, strip);
  }
}

void TranslateConfigurationWindow(QWidget* window, const QByteArray& section) {
  if (!window) return;
  const bool translating = TranslationMode();
  if (auto* languages = window->findChild<QWidget*>(QStringLiteral("Lingvo"))) GiveTranslationFont(languages);
  for (QWidget* component : OwnedComponents(window)) {
    if (IsPlainLabel(component)) {
      GiveTranslationFont(component);
      if (translating) {
        SetTranslatedText(static_cast<QLabel*>(component), ReadCaption(section, component->objectName().toLatin1()));
      }
    } else if (qobject_cast<QLineEdit*>(component) || qobject_cast<QGroupBox*>(component)) {
      GiveTranslationFont(component);
    }
  }
}

void TranslateCreditsWindow(QWidget* window, const QByteArray& section) {
  if (!window) return;
  const bool translating = TranslationMode();
  auto* pages = window->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
  if (pages) GiveTranslationFont(pages);
  for (QWidget* component : OwnedComponents(window)) {
    if (IsPlainLabel(component)) {
      GiveTranslationFont(component);
      if (translating) {
        SetTranslatedText(static_cast<QLabel*>(component), ReadCaption(section, component->objectName().toLatin1()));
      }
    }
  }
  if (!pages || !translating) return;
  for (int i = 0; i < pages->count(); ++i) {
    QWidget* page = pages->widget(i);
    GiveTranslationFont(page);
    pages->setTabText(i, ReadCaption(section, page->objectName().toLatin1()));
  }
}

namespace {

QHash<QString, QString>& WindowSections() {
  static QHash<QString, QString> sections{
      {QStringLiteral("Form13"), QStringLiteral("konfig")},
      {QStringLiteral("Form15"), QStringLiteral("menuo4")},
  };
  return sections;
}

}  // namespace

void RegisterWindowSection(const QString& windowName, const QString& section) {
  WindowSections().insert(windowName, section);
}

QString SectionOfWindow(const QString& windowName) { return WindowSections().value(windowName); }
