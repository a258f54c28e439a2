#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

// Stored text: UTF-8 on one line, each line feed written as the five
// characters '#10'. Text that is not well-formed UTF-8 decodes to nothing.
QString DecodeTranslation(const QByteArray& stored);
QByteArray EncodeTranslation(const QString& text);
QString StripCarriageReturns(const QString& text);

// Text values of the settings file: UTF-8 when well-formed, else Windows-1252,
// the code page older versions of the course wrote.
QString DecodeSettingsText(const QByteArray& bytes);

// The text of a multi-line box as stored: paragraphs joined by line feeds,
// without the breaks that only come from word wrapping. `box` is a
// QPlainTextEdit or a QTextEdit; any other widget gives an empty text.
QString ReadMemoText(const QWidget* box);
void WriteMemoText(QWidget* box, const QString& text);
