#include "pagecontrol.h"

#include <QLayout>
#include <QStackedWidget>
#include <QTabBar>

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {
  // The page stack would otherwise take the largest minimum size of all
  // pages as its own, and size itself to the largest page when first shown.
  if (auto* stack = findChild<QStackedWidget*>(); stack && stack->layout()) {
    stack->layout()->setSizeConstraint(QLayout::SetNoConstraint);
    stack->resize(size());
  }
}

QSize PageControl::sizeHint() const { return minimumSizeHint(); }

QSize PageControl::minimumSizeHint() const {
  const QSize tabs = tabBar()->minimumSizeHint();
  return {tabs.width(), tabs.height() + 100};
}
