#include "cursorfile.h"

#include "imagereading.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QtEndian>

namespace {

constexpr int kDirectoryHeaderSize = 6;
constexpr int kDirectoryEntrySize = 16;
constexpr int kBitmapHeaderSize = 40;

quint16 Word(const QByteArray& bytes, qsizetype at) { return qFromLittleEndian<quint16>(bytes.constData() + at); }
quint32 DoubleWord(const QByteArray& bytes, qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); }

// A 32-bit BGRA bitmap stored bottom-up; its height counts image and mask.
std::optional<QImage> DecodeBitmap(const QByteArray& data) {
  if (data.size() < kBitmapHeaderSize) return std::nullopt;
  const auto width = static_cast<qint32>(DoubleWord(data, 4));
  const auto doubledHeight = static_cast<qint32>(DoubleWord(data, 8));
  const quint16 bitCount = Word(data, 14);
  if (bitCount != 32 || width <= 0 || width > 256 || doubledHeight <= 0 || doubledHeight > 512) return std::nullopt;
  const int height = doubledHeight / 2;
  const qsizetype pixelBytes = qsizetype(width) * height * 4;
  if (height <= 0 || data.size() < kBitmapHeaderSize + pixelBytes) return std::nullopt;
  QImage image(width, height, QImage::Format_ARGB32);
  const auto* pixels = reinterpret_cast<const uchar*>(data.constData() + kBitmapHeaderSize);
  for (int y = 0; y < height; ++y) {
    const uchar* row = pixels + qsizetype(height - 1 - y) * width * 4;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) out[x] = qRgba(row[x * 4 + 2], row[x * 4 + 1], row[x * 4], row[x * 4 + 3]);
  }
  return image;
}

QHash<int, QString>& CursorFiles() {
  static QHash<int, QString> files;
  return files;
}

QHash<int, QCursor>& Cursors() {
  static QHash<int, QCursor> cursors;
  return cursors;
}

}  // namespace

std::optional<CursorImage> ParseCursorFile(const QByteArray& bytes) {
  if (bytes.size() < kDirectoryHeaderSize + kDirectoryEntrySize) return std::nullopt;
  if (Word(bytes, 0) != 0 || Word(bytes, 2) != 2 || Word(bytes, 4) == 0) return std::nullopt;
  const qsizetype entry = kDirectoryHeaderSize;
  const QPoint hotSpot(Word(bytes, entry + 4), Word(bytes, entry + 6));
  const quint32 size = DoubleWord(bytes, entry + 8);
  const quint32 offset = DoubleWord(bytes, entry + 12);
  if (offset > quint32(bytes.size()) || size > quint32(bytes.size()) - offset) return std::nullopt;
  const QByteArray data = bytes.mid(offset, size);

  QImage image;
  if (data.startsWith("\x89PNG")) {
    QBuffer png;
    png.setData(data);
    if (png.open(QIODevice::ReadOnly)) image = ReadImageAs(&png, "png");
  } else if (auto bitmap = DecodeBitmap(data)) {
    image = *bitmap;
  }
  if (image.isNull()) return std::nullopt;
  return CursorImage{image,
                     QPoint(qBound(0, hotSpot.x(), image.width() - 1), qBound(0, hotSpot.y(), image.height() - 1))};
}

QByteArray WriteCursorFile(const QImage& image, QPoint hotSpot) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");

  QByteArray out(kDirectoryHeaderSize + kDirectoryEntrySize, '\0');
  auto putWord = [&out](qsizetype at, quint16 v) { qToLittleEndian(v, out.data() + at); };
  auto putDoubleWord = [&out](qsizetype at, quint32 v) { qToLittleEndian(v, out.data() + at); };
  putWord(2, 2);
  putWord(4, 1);
  out[6] = char(image.width() >= 256 ? 0 : image.width());
  out[7] = char(image.height() >= 256 ? 0 : image.height());
  putWord(10, quint16(hotSpot.x()));
  putWord(12, quint16(hotSpot.y()));
  putDoubleWord(14, quint32(png.size()));
  putDoubleWord(18, quint32(out.size()));
  return out + png;
}

void LoadCustomCursor(int number, const QString& path) {
  CursorFiles().insert(number, path);
  Cursors().remove(number);
}

QCursor CustomCursor(int number) {
  if (const auto it = Cursors().constFind(number); it != Cursors().constEnd()) return *it;
  QCursor cursor(Qt::ArrowCursor);
  QFile file(CursorFiles().value(number));
  if (file.open(QIODevice::ReadOnly)) {
    if (const auto image = ParseCursorFile(file.readAll())) {
      cursor = QCursor(QPixmap::fromImage(image->image), image->hotSpot.x(), image->hotSpot.y());
    }
  }
  Cursors().insert(number, cursor);
  return cursor;
}
