#pragma once

#include <QColor>
#include <QPushButton>

// A button of the main menu, drawn as a link: its picture and then its text
// from the left edge, without frame or background, in its colour, and in its
// lit colour while the pointer is over it or it has the focus. It draws
// itself rather than through a style sheet, which would have every widget of
// the menu matched against style rules before the menu first shows.
class MenuButton : public QPushButton {
  Q_OBJECT
  Q_PROPERTY(QColor colour READ Colour WRITE setColour)
  Q_PROPERTY(QColor litColour READ LitColour WRITE setLitColour)
  Q_PROPERTY(int indent READ Indent WRITE setIndent)

 public:
  explicit MenuButton(QWidget* parent = nullptr);

  QColor Colour() const { return colour_; }
  void setColour(const QColor& colour);
  QColor LitColour() const { return litColour_; }
  void setLitColour(const QColor& colour);
  // Pixels between the left edge and the picture (or the text).
  int Indent() const { return indent_; }
  void setIndent(int pixels);

  // The colour of the text as the button is drawn now.
  QColor TextColour() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QColor colour_{0x00, 0x40, 0x80};
  QColor litColour_{0x1e, 0x73, 0xbe};
  int indent_ = 2;
};
