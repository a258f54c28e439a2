#pragma once

#include "picturestore.h"

#include <QWidget>

// The hidden picture store, built from its stored layout: each picture sits
// on a hidden component named after it, the tab icons inside `Bildetoj` in
// image-list order.
class TFigurejo : public QWidget, public PictureStore {
  Q_OBJECT
 public:
  explicit TFigurejo(QWidget* parent = nullptr);

  QPixmap Picture(const QString& name) const override;
  QIcon TabIcon(int index) const override;
  int TabIconCount() const override;

 private:
  QList<QIcon> tabIcons_;
};
