#include "statictext.h"

StaticText::StaticText(QWidget* parent) : QLabel(parent) {}

void FitToCaption(QLabel* label) {
  const QMargins margins = label->contentsMargins();
  const int width = label->text().isEmpty()
                        ? 0
                        : label->fontMetrics().horizontalAdvance(label->text()) + margins.left() + margins.right();
  label->resize(width, label->height());
}
