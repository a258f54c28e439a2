#pragma once

#include <QByteArray>
#include <QCursor>
#include <QImage>
#include <QPoint>
#include <QString>

#include <optional>

// A Windows cursor file (.cur): the first image of the file with its hot
// spot. Images are stored either as PNG or as a 32-bit device-independent
// bitmap with its mask.
struct CursorImage {
  QImage image;
  QPoint hotSpot;
};

std::optional<CursorImage> ParseCursorFile(const QByteArray& bytes);
QByteArray WriteCursorFile(const QImage& image, QPoint hotSpot);  // PNG inside

// The program's numbered custom cursors (20: accusative words, 21: speaking
// words). A cursor is read from its file when first asked for, since only the
// lesson windows show them; the arrow when its file is missing or unreadable.
void LoadCustomCursor(int number, const QString& path);
QCursor CustomCursor(int number);
