// Turns a picture into a Windows cursor file with its hot spot:
//   pelano_makecursor PICTURE.png HOTX HOTY OUTPUT.cur
#include "cursorfile.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char* argv[]) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s PICTURE HOTX HOTY OUTPUT\n", argv[0]);
    return 2;
  }
  const QImage image(QString::fromLocal8Bit(argv[1]));
  if (image.isNull()) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  QFile out(QString::fromLocal8Bit(argv[4]));
  if (!out.open(QIODevice::WriteOnly) ||
      out.write(WriteCursorFile(image, QPoint(std::atoi(argv[2]), std::atoi(argv[3])))) < 0) {
    std::fprintf(stderr, "cannot write %s\n", argv[4]);
    return 1;
  }
  return 0;
}
