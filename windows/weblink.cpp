#include "weblink.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {

class LabelClickFilter : public QObject {
 public:
  LabelClickFilter(QLabel* label, std::function<void()> action) : QObject(label), action_(std::move(action)) {
    label->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::MouseButtonRelease) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* label = static_cast<QLabel*>(watched);
    // A press that ends off the link is no click, as on any button.
    if (mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint())) action_();
    return false;
  }

 private:
  std::function<void()> action_;
};

}  // namespace

QUrl CaptionAddress(const QString& caption) {
  const QString address = caption.trimmed();
  const QUrl url(address);
  if (!url.scheme().isEmpty() && url.scheme().size() > 1) return url;  // "c:\..." has no scheme of one letter
  if (address.contains(QLatin1Char('@')) && !address.contains(QLatin1Char('/'))) {
    return QUrl(QStringLiteral("mailto:") + address);
  }
  return QUrl(QStringLiteral("https://") + address);
}

void OnLabelClick(QLabel* label, std::function<void()> action) { new LabelClickFilter(label, std::move(action)); }
