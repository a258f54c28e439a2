#pragma once

#include <QList>
#include <QPixmap>
#include <QString>

class QWidget;

// Pictures named in the layouts: a widget whose dynamic property "picture"
// holds a data path (such as "figuroj\fono.png") shows that picture, as its
// pixmap when it is a label and as its icon when it is a button.
void ApplyStoredPictures(QWidget* root);
void ApplyStoredPictures(const QList<QWidget*>& widgets);

// A course picture by its data path; null when the file is missing or unreadable.
QPixmap LoadCoursePicture(const QString& relativePath);
