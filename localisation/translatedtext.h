#pragma once

#include <QString>

class QLabel;

// A translation file is data: a translated text shows as the layout's own
// text of the label does. Plain text stays plain, whatever it holds; rich
// text keeps the formatting the layouts use (bold, italic, underline, line
// and paragraph breaks) and nothing else, so that it can never load a picture
// or a style from a file, nor offer a link.
void SetTranslatedText(QLabel* label, const QString& text);

// `text` with every tag but <b>, <i>, <u>, <br> and <p> (without attributes)
// shown as text.
QString SafeRichText(const QString& text);
