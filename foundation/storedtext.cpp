#include "storedtext.h"

#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTextEdit>

namespace {

const QByteArray kStoredLineFeed = QByteArrayLiteral("'#10'");

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr char16_t kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool DecodeUtf8Strictly(const QByteArray& bytes, QString& text) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  text = decoder.decode(bytes);
  return !decoder.hasError();
}

}  // namespace

QString DecodeTranslation(const QByteArray& stored) {
  QByteArray bytes = stored;
  bytes.replace(kStoredLineFeed, QByteArrayLiteral("\n"));
  QString text;
  if (!DecodeUtf8Strictly(bytes, text)) return QString();
  return text;
}

QByteArray EncodeTranslation(const QString& text) {
  QByteArray bytes = StripCarriageReturns(text).toUtf8();
  bytes.replace('\n', kStoredLineFeed);
  return bytes;
}

QString StripCarriageReturns(const QString& text) {
  QString result = text;
  result.remove(QChar(u'\r'));
  return result;
}

QString DecodeSettingsText(const QByteArray& bytes) {
  QString text;
  if (DecodeUtf8Strictly(bytes, text)) return text;
  text.resize(bytes.size());
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    text[i] = QChar(b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : char16_t(b));
  }
  return text;
}

QString ReadMemoText(const QWidget* box) {
  if (auto* plain = qobject_cast<const QPlainTextEdit*>(box)) return StripCarriageReturns(plain->toPlainText());
  if (auto* rich = qobject_cast<const QTextEdit*>(box)) return StripCarriageReturns(rich->toPlainText());
  return QString();
}

void WriteMemoText(QWidget* box, const QString& text) {
  auto placeCaretAtStart = [](auto* edit) {
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(0);
    edit->setTextCursor(cursor);
  };
  if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) {
    plain->clear();
    plain->appendPlainText(text);
    placeCaretAtStart(plain);
  } else if (auto* rich = qobject_cast<QTextEdit*>(box)) {
    rich->clear();
    rich->setPlainText(text);
    placeCaretAtStart(rich);
  }
}
