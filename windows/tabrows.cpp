#include "tabrows.h"

#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace {

constexpr int kCaptionMargin = 18;

const QString kTabStyle = QStringLiteral(
    "QToolButton { border: 1px solid #8ea4b4; border-bottom: none; border-top-left-radius: 4px;"
    " border-top-right-radius: 4px; background: #dbe6ee; color: #1b2b36; }"
    "QToolButton:hover { background: #eef4f8; }"
    "QToolButton:checked { background: #ffffff; color: #003a70; }");

}  // namespace

MultiRowTabs::MultiRowTabs(QTabWidget* pages, int tabHeight)
    : QWidget(pages->parentWidget()), pages_(pages), area_(pages->geometry()), tabHeight_(tabHeight) {
  setObjectName(pages->objectName() + QStringLiteral("Langetoj"));
  pages_->tabBar()->hide();
  connect(pages_, &QTabWidget::currentChanged, this, &MultiRowTabs::ShowCurrent);
  Refresh();
}

void MultiRowTabs::Refresh() {
  qDeleteAll(tabs_);
  tabs_.clear();
  const QFont font = pages_->font();
  const QFontMetrics metrics(font);
  const int width = area_.width();

  // Each row takes the tabs that fit, in order; then its tabs share out the
  // rest of the width.
  QList<QList<int>> rows;
  QList<int> widths;
  int used = 0;
  for (int i = 0; i < pages_->count(); ++i) {
    const int tabWidth = std::min(width, metrics.horizontalAdvance(pages_->tabText(i)) + kCaptionMargin);
    widths.append(tabWidth);
    if (rows.isEmpty() || used + tabWidth > width) {
      rows.emplaceBack();
      used = 0;
    }
    rows.last().append(i);
    used += tabWidth;
  }
  rows_ = static_cast<int>(rows.size());

  for (int i = 0; i < pages_->count(); ++i) {
    auto* tab = new QToolButton(this);
    tab->setObjectName(pages_->widget(i)->objectName() + QStringLiteral("Langeto"));
    tab->setText(pages_->tabText(i));
    tab->setFont(font);
    tab->setCheckable(true);
    tab->setAutoExclusive(true);
    tab->setStyleSheet(kTabStyle);
    tab->setCursor(Qt::PointingHandCursor);
    connect(tab, &QToolButton::clicked, pages_, [this, i] { pages_->setCurrentIndex(i); });
    tabs_.append(tab);
  }
  for (int row = 0; row < rows_; ++row) {
    const QList<int>& members = rows[row];
    int natural = 0;
    for (int i : members) natural += widths[i];
    const int extra = width - natural;
    int x = 0;
    for (qsizetype n = 0; n < members.size(); ++n) {
      const int i = members[n];
      // The last tab of a row takes what rounding left over.
      const int share = n + 1 == members.size() ? width - x : widths[i] + extra / static_cast<int>(members.size());
      tabs_[i]->setGeometry(x, row * tabHeight_, share, tabHeight_);
      x += share;
    }
  }
  for (QToolButton* tab : tabs_) tab->show();

  const int stripHeight = rows_ * tabHeight_;
  setGeometry(area_.x(), area_.y(), width, stripHeight);
  pages_->setGeometry(area_.x(), area_.y() + stripHeight, width, std::max(0, area_.height() - stripHeight));
  ShowCurrent(pages_->currentIndex());
}

void MultiRowTabs::ShowCurrent(int index) {
  if (QToolButton* tab = tabs_.value(index)) tab->setChecked(true);
}
