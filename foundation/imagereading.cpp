#include "imagereading.h"

#include <QImageReader>

namespace {

QImage ReadWithoutGuessing(QImageReader& reader) {
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

}  // namespace

QImage ReadImageAs(QIODevice* device, const QByteArray& format) {
  QImageReader reader(device, format);
  return ReadWithoutGuessing(reader);
}

QImage ReadImageAs(const QString& path, const QByteArray& format) {
  QImageReader reader(path, format);
  return ReadWithoutGuessing(reader);
}
