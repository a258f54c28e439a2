#include "cursorfile.h"

#include <QtEndian>
#include <QtTest>

namespace {

QImage Arrow() {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (int i = 0; i < 20; ++i) image.setPixel(2 + i / 2, 2 + i, qRgba(255, 255, 255, 255));
  return image;
}

// A classic cursor file: a 32-bit bitmap with its AND mask.
QByteArray BitmapCursor(int width, int height, QPoint hotSpot, QRgb colour) {
  QByteArray bitmap(40, '\0');
  qToLittleEndian<quint32>(40, bitmap.data());
  qToLittleEndian<qint32>(width, bitmap.data() + 4);
  qToLittleEndian<qint32>(height * 2, bitmap.data() + 8);
  qToLittleEndian<quint16>(1, bitmap.data() + 12);
  qToLittleEndian<quint16>(32, bitmap.data() + 14);
  for (int i = 0; i < width * height; ++i) {
    bitmap.append(char(qBlue(colour)))
        .append(char(qGreen(colour)))
        .append(char(qRed(colour)))
        .append(char(qAlpha(colour)));
  }
  bitmap.append(QByteArray(height * ((width + 31) / 32) * 4, '\0'));
  QByteArray file(22, '\0');
  qToLittleEndian<quint16>(2, file.data() + 2);
  qToLittleEndian<quint16>(1, file.data() + 4);
  file[6] = char(width);
  file[7] = char(height);
  qToLittleEndian<quint16>(quint16(hotSpot.x()), file.data() + 10);
  qToLittleEndian<quint16>(quint16(hotSpot.y()), file.data() + 12);
  qToLittleEndian<quint32>(quint32(bitmap.size()), file.data() + 14);
  qToLittleEndian<quint32>(22, file.data() + 18);
  return file + bitmap;
}

}  // namespace

class TestCursorFile : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void writtenCursorReadsBack() {
    const QImage arrow = Arrow();
    const auto cursor = ParseCursorFile(WriteCursorFile(arrow, QPoint(2, 2)));
    QVERIFY(cursor);
    QCOMPARE(cursor->hotSpot, QPoint(2, 2));
    QCOMPARE(cursor->image.convertToFormat(QImage::Format_ARGB32), arrow);
  }

  void classicBitmapCursor() {
    const auto cursor = ParseCursorFile(BitmapCursor(16, 16, QPoint(5, 7), qRgba(10, 20, 30, 255)));
    QVERIFY(cursor);
    QCOMPARE(cursor->hotSpot, QPoint(5, 7));
    QCOMPARE(cursor->image.size(), QSize(16, 16));
    QCOMPARE(cursor->image.pixel(3, 3), qRgba(10, 20, 30, 255));
  }

  void badFilesAreRefused_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = BitmapCursor(16, 16, QPoint(1, 1), qRgba(0, 0, 0, 255));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header only") << good.left(6);
    QTest::newRow("icon, not cursor") << QByteArray(good).replace(2, 1, "\x01");
    QTest::newRow("no images") << QByteArray(good).replace(4, 1, QByteArray(1, '\0'));
    QTest::newRow("truncated bitmap") << good.left(good.size() - 600);
    QByteArray farOffset = good;
    qToLittleEndian<quint32>(0xFFFFFFF0u, farOffset.data() + 18);
    QTest::newRow("offset past the end") << farOffset;
    QByteArray hugeSize = good;
    qToLittleEndian<quint32>(0xFFFFFFFFu, hugeSize.data() + 14);
    QTest::newRow("size past the end") << hugeSize;
    QByteArray hugeBitmap = good;
    qToLittleEndian<qint32>(100000, hugeBitmap.data() + 22 + 4);
    QTest::newRow("absurd width") << hugeBitmap;
    QTest::newRow("PNG that is not one") << WriteCursorFile(Arrow(), QPoint()).left(40);
  }
  void badFilesAreRefused() {
    QFETCH(QByteArray, bytes);
    QVERIFY(!ParseCursorFile(bytes));
  }

  void hotSpotStaysInsideThePicture() {
    const auto cursor = ParseCursorFile(BitmapCursor(16, 16, QPoint(400, 400), qRgba(0, 0, 0, 255)));
    QVERIFY(cursor);
    QCOMPARE(cursor->hotSpot, QPoint(15, 15));
  }

  void customCursorsComeFromTheirFiles() {
    LoadCustomCursor(20, QStringLiteral("/nonexistent/akuzativ.cur"));
    QCOMPARE(CustomCursor(20).shape(), Qt::ArrowCursor);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sono.cur"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(WriteCursorFile(Arrow(), QPoint(2, 3)));
    file.close();
    LoadCustomCursor(21, path);
    const QCursor cursor = CustomCursor(21);
    QCOMPARE(cursor.shape(), Qt::BitmapCursor);
    QCOMPARE(cursor.hotSpot(), QPoint(2, 3));
  }
};

QTEST_MAIN(TestCursorFile)
#include "tst_cursorfile.moc"
