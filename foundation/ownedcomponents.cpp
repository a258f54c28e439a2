#include "ownedcomponents.h"

namespace {

void Collect(QWidget* parent, QList<QWidget*>& components) {
  for (QObject* child : parent->children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (!widget || widget->isWindow()) continue;
    components.append(widget);
    if (!qobject_cast<TFrame*>(widget)) Collect(widget, components);
  }
}

}  // namespace

QList<QWidget*> OwnedComponents(QWidget* window) {
  QList<QWidget*> components;
  if (window) Collect(window, components);
  return components;
}

QWidget* OwnedComponent(QWidget* window, const QString& name) {
  for (QWidget* component : OwnedComponents(window)) {
    if (component->objectName() == name) return component;
  }
  return nullptr;
}
