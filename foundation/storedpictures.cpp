#include "storedpictures.h"

#include "programpaths.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QPixmapCache>
#include <QVariant>
#include <QWidget>

void ApplyStoredPictures(QWidget* root) {
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  widgets.prepend(root);
  ApplyStoredPictures(widgets);
}

void ApplyStoredPictures(const QList<QWidget*>& widgets) {
  for (QWidget* widget : widgets) {
    const QString path = widget->property("picture").toString();
    if (path.isEmpty()) continue;
    const QPixmap picture = LoadCoursePicture(path);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      label->setPixmap(picture);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      button->setIcon(QIcon(picture));
      if (!picture.isNull()) button->setIconSize(picture.size());
    }
  }
}

QPixmap LoadCoursePicture(const QString& relativePath) {
  // One copy per picture, shared by every window that shows it: the icons
  // drawn from it are then made once too, not again for every window.
  const QString key = QStringLiteral("pelano:") + relativePath;
  QPixmap picture;
  if (QPixmapCache::find(key, &picture)) return picture;
  // Told the format, the reader uses that one decoder; left to guess, it
  // loads every image plugin installed to ask each about the first picture.
  QImageReader reader(DataPath(relativePath), QFileInfo(relativePath).suffix().toLower().toLatin1());
  reader.setAutoDetectImageFormat(false);
  picture = QPixmap::fromImage(reader.read());
  if (!picture.isNull()) QPixmapCache::insert(key, picture);
  return picture;
}
