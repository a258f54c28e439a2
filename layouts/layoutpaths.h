#pragma once

#include <QString>
#include <QStringList>

// The stored layout of a window or frame by its file name, such as "pelano.ui".
QString LayoutPath(const QString& fileName);
QStringList AllLayoutPaths();
