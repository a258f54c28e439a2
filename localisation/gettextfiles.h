#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// Translation files in the format translators' tools read (GNU gettext PO):
// one entry per section and key, with "Section/Key" as its context, the
// Portuguese text as its source and the translation as its text. Values are
// carried exactly as the translation file stores them, line markers and HTML
// included, so that a file taken out and brought back is the same file.

// One key of a translation file.
struct TranslationEntry {
  QByteArray section;
  QByteArray key;
  QByteArray source;       // the Portuguese, as stored; may be empty
  QByteArray translation;  // as stored; empty when not translated yet
  friend bool operator==(const TranslationEntry&, const TranslationEntry&) = default;
};

// The sections and keys of a translation file (or of the template, or of the
// Portuguese source file) in file order, with their values as translations.
QList<TranslationEntry> ReadTranslationTable(const QByteArray& contents);

// Puts each entry's Portuguese text from `sourceFile` (the source file the
// build writes beside the template), matching section and key without regard
// to letter case.
void AddSources(QList<TranslationEntry>& entries, const QByteArray& sourceFile);

// A PO file of the entries; with `asTemplate` every translation is left out
// (a POT file).
QByteArray WritePoFile(const QList<TranslationEntry>& entries, bool asTemplate);

// The entries of a PO file, or nothing with `error` telling what is wrong
// and on which line.
std::optional<QList<TranslationEntry>> ReadPoFile(const QByteArray& contents, QString* error = nullptr);

// A translation file of the entries: each section once, in the order of
// their first entries, with a blank line after it, as the course writes them.
QByteArray WriteTranslationTable(const QList<TranslationEntry>& entries);
