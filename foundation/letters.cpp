#include "letters.h"

#include "settings.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <array>

namespace {

struct HattedLetter {
  char16_t letter;
  char base;
  const char* xForm;
  const char* hForm;
};

constexpr std::array<HattedLetter, 12> kHattedLetters{{
    {u'\u0108', 'C', "Cx", "Ch"},
    {u'\u0109', 'c', "cx", "ch"},
    {u'\u011C', 'G', "Gx", "Gh"},
    {u'\u011D', 'g', "gx", "gh"},
    {u'\u0124', 'H', "Hx", "Hh"},
    {u'\u0125', 'h', "hx", "hh"},
    {u'\u0134', 'J', "Jx", "Jh"},
    {u'\u0135', 'j', "jx", "jh"},
    {u'\u015C', 'S', "Sx", "Sh"},
    {u'\u015D', 's', "sx", "sh"},
    {u'\u016C', 'U', "Ux", "U"},
    {u'\u016D', 'u', "ux", "u"},
}};

const HattedLetter* FindHatted(QChar c) {
  for (const auto& entry : kHattedLetters) {
    if (c.unicode() == entry.letter) return &entry;
  }
  return nullptr;
}

const HattedLetter* FindBase(QChar c) {
  for (const auto& entry : kHattedLetters) {
    if (c.unicode() == static_cast<char16_t>(entry.base)) return &entry;
  }
  return nullptr;
}

QChar gLastTypedKey;

void ReplaceBeforeCaret(QLineEdit* edit, QChar letter) {
  const int p = edit->cursorPosition();
  if (p > 0) {
    edit->setSelection(p - 1, 1);
    edit->insert(QString(letter));
  } else {
    edit->deselect();
    edit->insert(QString(letter));
  }
  edit->setCursorPosition(p);
}

template <typename Box>
void ReplaceSelectionOrPrevious(Box* box, QChar letter) {
  QTextCursor cursor = box->textCursor();
  if (!cursor.hasSelection()) cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
  cursor.insertText(QString(letter));
  box->setTextCursor(cursor);
}

void InsertHatted(QWidget* control, QChar letter) {
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    // A masked box keeps its own rules for what may be typed.
    if (edit->isReadOnly() || !edit->inputMask().isEmpty()) return;
    ReplaceBeforeCaret(edit, letter);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
    if (!plain->isReadOnly()) ReplaceSelectionOrPrevious(plain, letter);
  } else if (auto* rich = qobject_cast<QTextEdit*>(control)) {
    if (!rich->isReadOnly()) ReplaceSelectionOrPrevious(rich, letter);
  }
}

}  // namespace

QString ToLetterSystem(const QString& text, LetterSystem system) {
  if (system == 0) return text;
  QString result;
  result.reserve(text.size() * 2);
  for (QChar c : text) {
    if (const HattedLetter* hatted = FindHatted(c)) {
      result += QLatin1String(system == 1 ? hatted->xForm : hatted->hForm);
    } else {
      result += c;
    }
  }
  return result;
}

QString FoldEsperantoCase(const QString& text, bool lower) {
  QString result = text;
  for (QChar& c : result) {
    const char16_t u = c.unicode();
    if (lower && u >= 'A' && u <= 'Z') {
      c = QChar(u + 32);
    } else if (!lower && u >= 'a' && u <= 'z') {
      c = QChar(u - 32);
    } else if (FindHatted(c)) {
      // Upper-case forms sit at even code points, lower-case ones right after.
      const bool isUpper = (u % 2) == 0;
      if (lower && isUpper) c = QChar(u + 1);
      if (!lower && !isUpper) c = QChar(u - 1);
    }
  }
  return result;
}

void ApplyHatKey(QChar& key, QWidget* control) {
  if (!CurrentSettings().Capeligo) return;
  if (key != u'x' && key != u'X') {
    gLastTypedKey = key;
    return;
  }
  const HattedLetter* base = FindBase(gLastTypedKey);
  if (!base) {
    gLastTypedKey = key;
    return;
  }
  InsertHatted(control, QChar(base->letter));
  gLastTypedKey = QChar();
  key = QChar();
}

QChar LastTypedKey() { return gLastTypedKey; }

void ResetLastTypedKey() { gLastTypedKey = QChar(); }
