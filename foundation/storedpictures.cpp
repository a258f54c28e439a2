#include "storedpictures.h"

#include "programpaths.h"

#include <QAbstractButton>
#include <QLabel>
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

QPixmap LoadCoursePicture(const QString& relativePath) { return QPixmap(DataPath(relativePath)); }
