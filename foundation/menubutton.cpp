#include "menubutton.h"

#include <QPainter>

namespace {

// Between the picture and the text.
constexpr int kPictureSpacing = 4;

}  // namespace

MenuButton::MenuButton(QWidget* parent) : QPushButton(parent) { setFlat(true); }

void MenuButton::setColour(const QColor& colour) {
  colour_ = colour;
  update();
}

void MenuButton::setLitColour(const QColor& colour) {
  litColour_ = colour;
  update();
}

void MenuButton::setIndent(int pixels) {
  indent_ = pixels;
  update();
}

QColor MenuButton::TextColour() const { return underMouse() || hasFocus() ? litColour_ : colour_; }

void MenuButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect area = rect().adjusted(indent_, 0, 0, 0);
  if (!icon().isNull()) {
    const QSize size = iconSize();
    const QRect picture(area.left(), area.top() + (area.height() - size.height()) / 2, size.width(), size.height());
    icon().paint(&painter, picture, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    area.setLeft(picture.right() + 1 + kPictureSpacing);
  }
  painter.setPen(isEnabled() ? TextColour() : palette().color(QPalette::Disabled, QPalette::ButtonText));
  painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine, text());
}

void MenuButton::enterEvent(QEnterEvent* event) {
  QPushButton::enterEvent(event);
  update();
}

void MenuButton::leaveEvent(QEvent* event) {
  QPushButton::leaveEvent(event);
  update();
}
