#include "lessonbadge.h"

#include "messages.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

// The greens of the main menu.
const QColor kGreen(0x1b, 0x7a, 0x3d);
const QColor kPaleGreen(0xd9, 0xee, 0xdf);

}  // namespace

LessonBadge::LessonBadge(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TranslucentBackground);
  hide();
}

void LessonBadge::ShowDrills(int passed, int drills) {
  complete_ = drills > 0 && passed >= drills;
  count_ = QStringLiteral("%1/%2").arg(passed).arg(drills);
  setToolTip(MessageNaming(Messages().smAprobitaj, count_));
  setVisible(drills > 0 && passed > 0);
  update();
}

void LessonBadge::ShowExamSent(bool sent) {
  complete_ = true;
  count_.clear();
  setToolTip(Messages().smEkzamenoSendita);
  setVisible(sent);
  update();
}

QString LessonBadge::Text() const {
  if (!isVisibleTo(parentWidget())) return QString();
  return complete_ ? QStringLiteral("✓") : count_;
}

void LessonBadge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);
  if (complete_) {
    // A green disc with a white tick.
    const double side = std::min(area.width(), area.height());
    const QRectF disc(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGreen);
    painter.drawEllipse(disc);
    QPainterPath tick;
    tick.moveTo(disc.left() + side * 0.27, disc.top() + side * 0.53);
    tick.lineTo(disc.left() + side * 0.44, disc.top() + side * 0.70);
    tick.lineTo(disc.left() + side * 0.74, disc.top() + side * 0.32);
    painter.setPen(QPen(Qt::white, side * 0.14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
    return;
  }
  // A pale green tag with the count.
  painter.setPen(Qt::NoPen);
  painter.setBrush(kPaleGreen);
  painter.drawRoundedRect(area, area.height() / 2, area.height() / 2);
  QFont font = this->font();
  font.setPixelSize(10);
  font.setBold(true);
  font.setUnderline(false);
  font.setLetterSpacing(QFont::AbsoluteSpacing, -0.5);
  painter.setFont(font);
  painter.setPen(kGreen);
  painter.drawText(area, Qt::AlignCenter, count_);
}
