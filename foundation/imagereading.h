#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QIODevice;

// Reads a picture in the format it is known to have. Told the format, Qt's
// reader uses that one decoder; left to guess, it loads every image plugin
// installed to ask each about the first picture the program reads.
QImage ReadImageAs(QIODevice* device, const QByteArray& format);
QImage ReadImageAs(const QString& path, const QByteArray& format);
