#include "translatablelabels.h"

#include "statictext.h"

#include <QHash>
#include <QLabel>

bool IsPlainLabel(const QWidget* component) {
  const auto* label = qobject_cast<const QLabel*>(component);
  if (!label || qobject_cast<const StaticText*>(label)) return false;
  // A label without text holds nothing to translate (a picture area, a strip
  // under a heading); translating it would show the untranslated marker.
  if (label->text().isEmpty()) return false;
  return !label->property("picture").isValid() && label->pixmap().isNull();
}

QString FrameLabelKey(const QString& labelName, const QString& frameName) {
  static const QHash<QString, QString> frameOfLabel{
      {QStringLiteral("Label7"), QStringLiteral("TFrame1")},
      {QStringLiteral("PP_Label41"), QStringLiteral("TFrame2")},
      {QStringLiteral("PP_Label1"), QStringLiteral("TFrame2")},
      {QStringLiteral("PP_Modelo"), QStringLiteral("TFrame2")},
      {QStringLiteral("PP_Vocxo"), QStringLiteral("TFrame2")},
      {QStringLiteral("PP_Silento"), QStringLiteral("TFrame2")},
      {QStringLiteral("Label68"), QStringLiteral("TFrame3")},
      {QStringLiteral("Label59"), QStringLiteral("TFrame3")},
      {QStringLiteral("Label6"), QStringLiteral("TFrame5")},
      {QStringLiteral("Label1"), QStringLiteral("TFrame5")},
      {QStringLiteral("Label83"), QStringLiteral("TFrame4")},
  };
  if (labelName == QLatin1String("Label84")) {
    return frameName == QLatin1String("TFrame41") ? QStringLiteral("TFrame41.Label84")
                                                  : QStringLiteral("Frame42.Label84");
  }
  const QString frame = frameOfLabel.value(labelName);
  return frame.isEmpty() ? QString() : frame + QLatin1Char('.') + labelName;
}

bool IsLessonFrameLabelKey(const QString& key) { return key.endsWith(QLatin1String(".Label84")); }
