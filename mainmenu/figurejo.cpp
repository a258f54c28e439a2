#include "figurejo.h"

#include "layoutpaths.h"
#include "storedpictures.h"
#include "uiloader.h"

#include <QAbstractButton>
#include <QLabel>

TFigurejo::TFigurejo(QWidget* parent) : QWidget(parent) {
  PelanoUiLoader::LoadInto(this, LayoutPath(QStringLiteral("figurejo.ui")));
  ApplyStoredPictures(this);
  if (const QWidget* list = findChild<QWidget*>(QStringLiteral("Bildetoj"))) {
    const QList<QLabel*> icons = list->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    for (const QLabel* icon : icons) tabIcons_.append(QIcon(icon->pixmap()));
  }
}

QPixmap TFigurejo::Picture(const QString& name) const {
  const QWidget* holder = findChild<QWidget*>(name);
  if (const auto* label = qobject_cast<const QLabel*>(holder)) return label->pixmap();
  if (const auto* button = qobject_cast<const QAbstractButton*>(holder)) {
    const QIcon icon = button->icon();
    const QList<QSize> sizes = icon.availableSizes();
    return sizes.isEmpty() ? QPixmap() : icon.pixmap(sizes.first());
  }
  return QPixmap();
}

QIcon TFigurejo::TabIcon(int index) const { return tabIcons_.value(index); }

int TFigurejo::TabIconCount() const { return static_cast<int>(tabIcons_.size()); }
