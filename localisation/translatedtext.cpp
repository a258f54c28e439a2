#include "translatedtext.h"

#include <QLabel>
#include <QRegularExpression>

namespace {

bool IsRich(const QLabel* label) {
  switch (label->textFormat()) {
    case Qt::RichText: return true;
    case Qt::AutoText: return Qt::mightBeRichText(label->text());
    default: return false;
  }
}

}  // namespace

QString SafeRichText(const QString& text) {
  static const QRegularExpression allowed(QStringLiteral("^</?(b|i|u|p|br)\\s*/?>$"),
                                          QRegularExpression::CaseInsensitiveOption);
  QString safe;
  qsizetype position = 0;
  while (position < text.size()) {
    const qsizetype open = text.indexOf(QLatin1Char('<'), position);
    if (open < 0) {
      safe += text.mid(position);
      break;
    }
    safe += text.mid(position, open - position);
    const qsizetype close = text.indexOf(QLatin1Char('>'), open);
    const QString tag = close < 0 ? text.mid(open) : text.mid(open, close - open + 1);
    safe += allowed.match(tag).hasMatch() ? tag : tag.toHtmlEscaped();
    position = open + tag.size();
  }
  return safe;
}

void SetTranslatedText(QLabel* label, const QString& text) {
  if (!label) return;
  if (IsRich(label)) {
    label->setTextFormat(Qt::RichText);
    label->setText(SafeRichText(text));
  } else {
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
  }
  // A label that opened links would hand the desktop whatever a translation names.
  label->setOpenExternalLinks(false);
  label->setTextInteractionFlags(label->textInteractionFlags() & ~Qt::LinksAccessibleByMouse &
                                 ~Qt::LinksAccessibleByKeyboard);
}
