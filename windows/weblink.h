#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class QLabel;

// The address a link's caption names, as the desktop shell reads it: a
// caption with "@" and no scheme is an e-mail address, any other caption
// without a scheme a web address.
QUrl CaptionAddress(const QString& caption);

// Runs `action` when the label is clicked with the left button.
void OnLabelClick(QLabel* label, std::function<void()> action);
