#include "gettextfiles.h"

#include <QHash>

namespace {

QByteArray Folded(const QByteArray& section, const QByteArray& key) { return section.toLower() + '/' + key.toLower(); }

QByteArrayList Lines(const QByteArray& contents) {
  QByteArrayList lines = contents.split('\n');
  for (QByteArray& line : lines) {
    if (line.endsWith('\r')) line.chop(1);
  }
  return lines;
}

QByteArray Quoted(const QByteArray& value) {
  QByteArray text = "\"";
  for (const char c : value) {
    switch (c) {
      case '\\': text += "\\\\"; break;
      case '"': text += "\\\""; break;
      case '\n': text += "\\n"; break;
      case '\r': text += "\\r"; break;
      case '\t': text += "\\t"; break;
      default: text += c;
    }
  }
  return text + '"';
}

// The string of a quoted PO line, or nothing when it is not one.
std::optional<QByteArray> Unquoted(const QByteArray& line) {
  const QByteArray text = line.trimmed();
  if (text.size() < 2 || !text.startsWith('"') || !text.endsWith('"')) return std::nullopt;
  QByteArray value;
  for (qsizetype i = 1; i < text.size() - 1; ++i) {
    const char c = text[i];
    if (c == '"') return std::nullopt;
    if (c != '\\') {
      value += c;
      continue;
    }
    if (++i >= text.size() - 1) return std::nullopt;
    switch (text[i]) {
      case '\\': value += '\\'; break;
      case '"': value += '"'; break;
      case 'n': value += '\n'; break;
      case 'r': value += '\r'; break;
      case 't': value += '\t'; break;
      default: return std::nullopt;
    }
  }
  return value;
}

// What a translator's tool shows for a key whose Portuguese is empty: PO has
// no entry without a source text but its header.
QByteArray ShownSource(const TranslationEntry& entry) {
  return entry.source.isEmpty() ? entry.section + '/' + entry.key : entry.source;
}

const QByteArray kHeader =
    "msgid \"\"\n"
    "msgstr \"\"\n"
    "\"Project-Id-Version: Pelano de Esperanto\\n\"\n"
    "\"Report-Msgid-Bugs-To: \\n\"\n"
    "\"POT-Creation-Date: 2026-01-01 00:00+0000\\n\"\n"
    "\"PO-Revision-Date: 2026-01-01 00:00+0000\\n\"\n"
    "\"Last-Translator: \\n\"\n"
    "\"Language-Team: \\n\"\n"
    "\"Language: %LANGUAGE%\\n\"\n"
    "\"MIME-Version: 1.0\\n\"\n"
    "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
    "\"Content-Transfer-Encoding: 8bit\\n\"\n"
    "\"Plural-Forms: nplurals=2; plural=(n != 1);\\n\"\n";

}  // namespace

QList<TranslationEntry> ReadTranslationTable(const QByteArray& contents) {
  QList<TranslationEntry> entries;
  QByteArray section;
  for (const QByteArray& line : Lines(contents)) {
    if (line.startsWith('[') && line.endsWith(']')) {
      section = line.mid(1, line.size() - 2);
      continue;
    }
    const qsizetype equals = line.indexOf('=');
    if (section.isEmpty() || equals <= 0) continue;
    entries.append({section, line.left(equals), QByteArray(), line.mid(equals + 1)});
  }
  return entries;
}

void AddSources(QList<TranslationEntry>& entries, const QByteArray& sourceFile) {
  QHash<QByteArray, QByteArray> sources;
  for (const TranslationEntry& source : ReadTranslationTable(sourceFile)) {
    sources.insert(Folded(source.section, source.key), source.translation);
  }
  for (TranslationEntry& entry : entries) entry.source = sources.value(Folded(entry.section, entry.key));
}

QByteArray WritePoFile(const QList<TranslationEntry>& entries, bool asTemplate) {
  // The language's code from the course's own identifier ("EN", "ESN" …);
  // a template has none yet.
  QByteArray language;
  for (const TranslationEntry& entry : entries) {
    if (!asTemplate && entry.section == "Traduko" && entry.key == "LingvoID")
      language = entry.translation.left(2).toLower();
  }
  QByteArray header = kHeader;
  header.replace("%LANGUAGE%", language);
  QByteArray text = "# Pelano de Esperanto: the course's texts, with the Portuguese as the source.\n" + header;
  for (const TranslationEntry& entry : entries) {
    text += '\n';
    if (entry.source.isEmpty()) text += "#. No Portuguese text: the context names what to write.\n";
    text += "msgctxt " + Quoted(entry.section + '/' + entry.key) + '\n';
    text += "msgid " + Quoted(ShownSource(entry)) + '\n';
    text += "msgstr " + Quoted(asTemplate ? QByteArray() : entry.translation) + '\n';
  }
  return text;
}

std::optional<QList<TranslationEntry>> ReadPoFile(const QByteArray& contents, QString* error) {
  QList<TranslationEntry> entries;
  enum class Field { None, Context, Source, Translation };
  Field field = Field::None;
  QByteArray context, source, translation;
  bool haveContext = false, haveSource = false, haveTranslation = false;
  int lineNumber = 0;
  auto fail = [&](const QString& why) -> std::optional<QList<TranslationEntry>> {
    if (error) *error = QStringLiteral("line %1: %2").arg(lineNumber).arg(why);
    return std::nullopt;
  };
  // Ends the entry being read; the header (no context, empty source) is skipped.
  auto finish = [&]() -> bool {
    if (haveSource || haveContext || haveTranslation) {
      if (!haveSource || !haveTranslation) return false;
      if (haveContext) {
        const qsizetype slash = context.indexOf('/');
        if (slash <= 0 || slash == context.size() - 1) return false;
        const QByteArray section = context.left(slash);
        const QByteArray key = context.mid(slash + 1);
        const QByteArray shown = section + '/' + key;
        entries.append({section, key, source == shown ? QByteArray() : source, translation});
      } else if (!source.isEmpty()) {
        return false;
      }
    }
    context.clear();
    source.clear();
    translation.clear();
    haveContext = haveSource = haveTranslation = false;
    field = Field::None;
    return true;
  };
  for (const QByteArray& raw : Lines(contents)) {
    ++lineNumber;
    const QByteArray line = raw.trimmed();
    if (line.isEmpty() || line.startsWith('#')) {
      if (line.isEmpty() && !finish()) return fail(QStringLiteral("an entry without its context, source or text"));
      continue;
    }
    auto start = [&](const QByteArray& keyword, Field next, QByteArray& value, bool& have) -> bool {
      if (!line.startsWith(keyword + ' ')) return false;
      const auto quoted = Unquoted(line.mid(keyword.size() + 1));
      if (!quoted || have) return false;
      value = *quoted;
      have = true;
      field = next;
      return true;
    };
    if (line.startsWith("msgctxt ")) {
      if (haveSource && haveTranslation && !finish()) return fail(QStringLiteral("a broken entry"));
      if (!start("msgctxt", Field::Context, context, haveContext)) return fail(QStringLiteral("a bad msgctxt"));
    } else if (line.startsWith("msgid ")) {
      if (haveSource && haveTranslation && !finish()) return fail(QStringLiteral("a broken entry"));
      if (!start("msgid", Field::Source, source, haveSource)) return fail(QStringLiteral("a bad msgid"));
    } else if (line.startsWith("msgstr ")) {
      if (!haveSource || !start("msgstr", Field::Translation, translation, haveTranslation)) {
        return fail(QStringLiteral("a msgstr without its msgid"));
      }
    } else if (line.startsWith('"')) {
      const auto more = Unquoted(line);
      if (!more) return fail(QStringLiteral("a bad string"));
      if (field == Field::Context) context += *more;
      if (field == Field::Source) source += *more;
      if (field == Field::Translation) translation += *more;
      if (field == Field::None) return fail(QStringLiteral("a string that belongs to nothing"));
    } else {
      return fail(QStringLiteral("a line the course does not read (plural forms are not used)"));
    }
  }
  if (!finish()) return fail(QStringLiteral("an entry without its context, source or text"));
  return entries;
}

QByteArray WriteTranslationTable(const QList<TranslationEntry>& entries) {
  QList<QByteArray> order;
  QHash<QByteArray, QByteArray> bodies;
  for (const TranslationEntry& entry : entries) {
    if (!bodies.contains(entry.section)) order.append(entry.section);
    bodies[entry.section] += entry.key + '=' + entry.translation + "\r\n";
  }
  QByteArray text;
  for (const QByteArray& section : order) text += '[' + section + "]\r\n" + bodies.value(section) + "\r\n";
  return text;
}
