#pragma once

#include <QMessageBox>
#include <QString>

// A message box of the course, captioned with the application title. Its text
// is always plain: a message from a translation can neither format itself
// nor make the box load a picture or follow a link.
QMessageBox::StandardButton ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
