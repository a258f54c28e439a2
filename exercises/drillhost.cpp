#include "drillhost.h"

#include "programpaths.h"

QString PresentSoundFolder(const QWidget* drill) {
  const DrillHost* host = HostOf(drill);
  const QString folder = host ? host->SoundFolder() : QString();
  if (folder.isEmpty() || !DataFileExists(QStringLiteral("sonoj\\lec") + folder)) return QString();
  return folder;
}
