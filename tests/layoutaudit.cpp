#include "layoutaudit.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTextDocumentFragment>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

QString NameOf(const QWidget* widget) {
  if (!widget->objectName().isEmpty()) return widget->objectName();
  const QString kind = QString::fromLatin1(widget->metaObject()->className());
  const QWidget* parent = widget->parentWidget();
  return parent ? kind + QStringLiteral(" in ") + NameOf(parent) : kind;
}

QString SizeText(QSize size) { return QStringLiteral("%1×%2").arg(size.width()).arg(size.height()); }

// Widgets whose inner parts are Qt's own: checked as a whole.
bool IsSealed(const QWidget* widget) {
  return qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
         qobject_cast<const QTabBar*>(widget) || qobject_cast<const QScrollBar*>(widget) ||
         qobject_cast<const QLineEdit*>(widget) ||
         (qobject_cast<const QAbstractScrollArea*>(widget) && !qobject_cast<const QScrollArea*>(widget));
}

// The visible widgets below `parent`, parents before their children; of a
// scroll area only what it scrolls.
void Collect(QWidget* parent, QList<QWidget*>& widgets) {
  for (QObject* child : parent->children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (!widget || widget->isWindow() || !widget->isVisible()) continue;
    widgets.append(widget);
    if (IsSealed(widget)) continue;
    if (auto* area = qobject_cast<QScrollArea*>(widget)) {
      if (QWidget* contents = area->widget(); contents && contents->isVisible()) {
        widgets.append(contents);
        Collect(contents, widgets);
      }
      continue;
    }
    Collect(widget, widgets);
  }
}

bool IsQtPart(const QWidget* widget) { return widget->objectName().startsWith(QLatin1String("qt_")); }

// A widget that only draws a background (a picture, a strip, a panel) and
// may therefore hold the widgets lying inside it.
bool IsBackdrop(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text().isEmpty();
  const QMetaObject* kind = widget->metaObject();
  return kind == &QWidget::staticMetaObject || kind == &QFrame::staticMetaObject;
}

bool Scrolled(const QWidget* widget) {
  const QWidget* parent = widget->parentWidget();
  return parent && parent->objectName() == QLatin1String("qt_scrollarea_viewport");
}

// The text a widget draws itself, with a way to take it away and give it back.
struct DrawnText {
  QString text;
  bool richText = false;
  bool wraps = false;
};

DrawnText TextOf(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    const bool rich = label->textFormat() == Qt::RichText ||
                      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
    return {label->text(), rich, label->wordWrap()};
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
    const auto* tool = qobject_cast<const QToolButton*>(widget);
    if (tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly) return {};
    return {button->text(), false, false};
  }
  if (const auto* group = qobject_cast<const QGroupBox*>(widget)) return {group->title(), false, false};
  return {};
}

void SetText(QWidget* widget, const QString& text) {
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    group->setTitle(text);
  }
}

QString PlainText(const DrawnText& drawn) {
  return drawn.richText ? QTextDocumentFragment::fromHtml(drawn.text).toPlainText() : drawn.text;
}

QRect GroupTitle(const QGroupBox* group) {
  QStyleOptionGroupBox option;
  option.initFrom(group);
  option.text = group->title();
  option.lineWidth = 1;
  option.textAlignment = group->alignment();
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  if (group->isCheckable()) option.subControls |= QStyle::SC_GroupBoxCheckBox;
  option.features = group->isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
  return group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
}

double PointSize(const QWidget* widget) {
  const QFont& font = widget->font();
  if (font.pointSizeF() > 0) return font.pointSizeF();
  return font.pixelSize() * 72.0 / widget->logicalDpiY();
}

class Auditor {
 public:
  explicit Auditor(QWidget* window) : window_(window) {}

  QList<LayoutFault> Run() {
    QList<QWidget*> widgets;
    Collect(window_, widgets);
    shown_ = window_->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (QWidget* widget : widgets) {
      CheckPlace(widget);
      const DrawnText drawn = TextOf(widget);
      if (drawn.text.trimmed().isEmpty()) continue;
      CheckFit(widget, drawn);
      CheckTypography(widget, drawn);
      // Text of an inactive control is exempt, as the guidelines allow.
      if (widget->isEnabled()) CheckContrast(widget, drawn);
    }
    CheckOverlaps(widgets);
    return faults_;
  }

 private:
  void Fault(const QWidget* widget, const QString& problem) { faults_.append({NameOf(widget), problem}); }

  void CheckPlace(QWidget* widget) {
    const QWidget* parent = widget->parentWidget();
    if (!parent || Scrolled(widget)) return;
    if (parent == window_) {
      if (!window_->rect().contains(widget->geometry())) {
        Fault(widget, QStringLiteral("reach: lies at %1,%2 %3, outside the window of %4")
                          .arg(widget->x())
                          .arg(widget->y())
                          .arg(SizeText(widget->size()), SizeText(window_->size())));
      }
    } else if (!parent->rect().contains(widget->geometry())) {
      Fault(widget, QStringLiteral("fit: cut by %1 (lies at %2,%3 %4 in %5)")
                        .arg(NameOf(parent))
                        .arg(widget->x())
                        .arg(widget->y())
                        .arg(SizeText(widget->size()), SizeText(parent->size())));
    }
  }

  void CheckFit(QWidget* widget, const DrawnText& drawn) {
    QSize needed;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      needed = drawn.wraps ? QSize(label->minimumSizeHint().width(), label->heightForWidth(label->width()))
                           : label->sizeHint();
    } else if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget)) {
      needed = widget->sizeHint();
    } else if (auto* push = qobject_cast<QPushButton*>(widget)) {
      // The space the style leaves for the label inside the button's frame.
      QStyleOptionButton option;
      option.initFrom(push);
      option.features = push->isFlat() ? QStyleOptionButton::Flat : QStyleOptionButton::None;
      const QRect contents = push->style()->subElementRect(QStyle::SE_PushButtonContents, &option, push);
      const QSize text = push->fontMetrics().size(Qt::TextShowMnemonic, drawn.text);
      const QSize icon = push->icon().isNull() ? QSize() : push->iconSize();
      const QSize label(text.width() + (icon.isEmpty() ? 0 : icon.width() + 4), std::max(text.height(), icon.height()));
      needed = push->size() - contents.size() + label;
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, drawn.text);
      const QSize icon = button->icon().isNull() ? QSize() : button->iconSize();
      const auto* tool = qobject_cast<QToolButton*>(button);
      if (tool && tool->toolButtonStyle() == Qt::ToolButtonTextUnderIcon) {
        needed = QSize(std::max(text.width(), icon.width()), text.height() + icon.height());
      } else {
        needed = QSize(text.width() + (icon.isEmpty() ? 0 : icon.width() + 4), std::max(text.height(), icon.height()));
      }
      needed.rwidth() += 4;
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
      needed = QSize(group->fontMetrics().horizontalAdvance(drawn.text) + 16, group->fontMetrics().height());
    }
    if (needed.width() > widget->width() || needed.height() > widget->height()) {
      Fault(widget, QStringLiteral("fit: its text needs %1, it has %2 (\"%3\")")
                        .arg(SizeText(needed), SizeText(widget->size()), PlainText(drawn).left(40)));
    }
  }

  void CheckTypography(QWidget* widget, const DrawnText& drawn) {
    const QString text = PlainText(drawn);
    if (text.contains(QLatin1String("--"))) {
      Fault(widget, QStringLiteral("typography: \"--\" where a dash belongs (\"%1\")").arg(text.left(40)));
    }
    // A hyphen that begins a word starts an affix ("-n", "-ajn", "-ig-"):
    // a wrapping text may break right after it.
    static const QRegularExpression affix(QStringLiteral(R"((?:^|[\s(«"“'/+])(-\p{L}+-?))"));
    if (!drawn.wraps) return;
    if (const auto match = affix.match(text); match.hasMatch()) {
      Fault(widget, QStringLiteral("typography: the affix \"%1\" may break after its hyphen").arg(match.captured(1)));
    }
  }

  // The text's colour against what lies behind it, both as drawn: the
  // window is drawn once with the text and once without it, and the pixels
  // that changed are the text's.
  void CheckContrast(QWidget* widget, const DrawnText& drawn) {
    QRect visible = widget->visibleRegion().boundingRect();
    // Only a group box's title changes with its text; its frame moves too.
    if (auto* group = qobject_cast<QGroupBox*>(widget)) visible &= GroupTitle(group);
    const QRect area = QRect(widget->mapTo(window_, visible.topLeft()), visible.size()).intersected(window_->rect());
    if (area.isEmpty()) return;
    // A button's picture moves when its text goes: both drawings leave it out.
    auto* button = qobject_cast<QAbstractButton*>(widget);
    const QIcon icon = button ? button->icon() : QIcon();
    QImage with = shown_.copy(area);
    if (!icon.isNull()) {
      button->setIcon(QIcon());
      with = window_->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    }
    SetText(widget, QString());
    const QImage without = window_->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    SetText(widget, drawn.text);
    if (!icon.isNull()) button->setIcon(icon);
    std::vector<double> ratios;
    for (int y = 0; y < with.height() && y < without.height(); ++y) {
      for (int x = 0; x < with.width() && x < without.width(); ++x) {
        const QRgb text = with.pixel(x, y);
        const QRgb behind = without.pixel(x, y);
        if (text != behind) ratios.push_back(ContrastRatio(QColor(text), QColor(behind)));
      }
    }
    // The glyphs' cores, not their smoothed edges, carry the text's colour.
    double ratio = 1.0;
    if (!ratios.empty()) {
      const auto core = ratios.begin() + static_cast<long>(ratios.size() * 9 / 10);
      std::nth_element(ratios.begin(), core, ratios.end());
      ratio = *core;
    }
    const bool large = PointSize(widget) >= 18 || (widget->font().bold() && PointSize(widget) >= 14);
    const double needed = large ? 3.0 : 4.5;
    if (ratio < needed) {
      Fault(widget, QStringLiteral("contrast: %1:1 against what is behind it, %2:1 needed (\"%3\")")
                        .arg(ratio, 0, 'f', 2)
                        .arg(needed, 0, 'f', 1)
                        .arg(PlainText(drawn).left(40)));
    }
  }

  void CheckOverlaps(const QList<QWidget*>& widgets) {
    for (qsizetype i = 0; i < widgets.size(); ++i) {
      const QWidget* first = widgets[i];
      for (qsizetype j = i + 1; j < widgets.size(); ++j) {
        const QWidget* second = widgets[j];
        if (second->parentWidget() != first->parentWidget()) continue;
        if (IsQtPart(first) && IsQtPart(second)) continue;
        const QRect common = first->geometry().intersected(second->geometry());
        if (common.isEmpty()) continue;
        if (IsBackdrop(first) && first->geometry().contains(second->geometry())) continue;
        if (IsBackdrop(second) && second->geometry().contains(first->geometry())) continue;
        Fault(first, QStringLiteral("overlap: lies over %1 by %2").arg(NameOf(second), SizeText(common.size())));
      }
    }
  }

  QWidget* window_;
  QImage shown_;
  QList<LayoutFault> faults_;
};

double Luminance(const QColor& colour) {
  auto channel = [](double value) { return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4); };
  return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

}  // namespace

double ContrastRatio(const QColor& first, const QColor& second) {
  const double a = Luminance(first);
  const double b = Luminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QList<LayoutFault> AuditWindow(QWidget* window) { return Auditor(window).Run(); }
