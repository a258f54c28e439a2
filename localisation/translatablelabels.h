#pragma once

#include <QString>

class QWidget;

// A plain label: a label with text that is neither a static text (never
// translated) nor a picture (a label given a picture by the layout).
bool IsPlainLabel(const QWidget* component);

// The translation key of a fixed label of an exercise frame, by the label's
// name and the frame's ("TFrame1.Label7", "TFrame41.Label84" …); empty for a
// label that is not one of them.
QString FrameLabelKey(const QString& labelName, const QString& frameName);

// The gap-filling instructions belong to the lesson's section, every other
// fixed frame label to "Gheneralaj".
bool IsLessonFrameLabelKey(const QString& key);

inline const QString GeneralSection = QStringLiteral("Gheneralaj");
