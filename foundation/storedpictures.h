#pragma once

#include <QList>
#include <QPixmap>
#include <QString>
#include <QStringList>

class QWidget;

// Pictures named in the layouts: a widget whose dynamic property "picture"
// holds a data path (such as "figuroj\fono.png") shows that picture, as its
// pixmap when it is a label and as its icon when it is a button.
void ApplyStoredPictures(QWidget* root);
void ApplyStoredPictures(const QList<QWidget*>& widgets);

// A course picture by its data path; null when the file is missing or
// unreadable. Each picture is read once and shared.
QPixmap LoadCoursePicture(const QString& relativePath);

// Starts reading these pictures on a thread of their own, so that a window
// about to be built finds them ready; LoadCoursePicture waits for a picture
// still being read.
void PrefetchCoursePictures(const QStringList& relativePaths);

// The data paths of the pictures a stored layout names, in order.
QStringList PicturesNamedIn(const QByteArray& layout);
