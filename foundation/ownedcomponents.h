#pragma once

#include <QList>
#include <QWidget>

// A frame: a widget that owns the widgets inside it (the navigation bar and
// the exercise frames). A window's own components never include them.
class TFrame : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;
};

// The components owned by a window, in the order of its stored layout: a
// depth-first walk of its widgets that does not descend into frames (the
// frames themselves are listed).
QList<QWidget*> OwnedComponents(QWidget* window);

// The component of that name owned by the window; null when there is none.
QWidget* OwnedComponent(QWidget* window, const QString& name);
