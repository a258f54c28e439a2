#pragma once

#include <QColor>
#include <QList>
#include <QString>

class QWidget;

// What a learner would see wrong in a window as it is on screen: a text cut
// by its widget or its parent (fit), widgets lying over each other (overlap),
// text too faint against what is behind it (contrast), a widget outside the
// window (reach), and typography that breaks apart ("--" for a dash, an
// affix such as "-n" that may wrap after its hyphen).
struct LayoutFault {
  QString widget;   // the widget's name, with the class for unnamed ones
  QString problem;  // what is wrong, with the figures
};

// Checks every visible widget of a shown window, as it is laid out now.
QList<LayoutFault> AuditWindow(QWidget* window);

// WCAG contrast ratio of two opaque colours, from 1 to 21.
double ContrastRatio(const QColor& first, const QColor& second);
