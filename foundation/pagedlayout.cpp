#include "pagedlayout.h"

#include <QFile>
#include <QHash>

#include <optional>

namespace {

// One tag of the layout text, found by a scan that only needs where
// elements begin and end: a layout is machine-written XML, so text never
// holds a raw '<' and attribute values never hold their own quote.
struct Tag {
  qsizetype begin = 0;  // at '<'
  qsizetype end = 0;    // just after '>'
  QByteArray name;
  bool closing = false;
  bool empty = false;  // <name ... />
};

QByteArray AttributeValue(const QByteArray& layout, const Tag& tag, const char* attribute) {
  const QByteArray key = QByteArray(" ") + attribute + "=\"";
  const qsizetype at = layout.indexOf(key, tag.begin);
  if (at < 0 || at >= tag.end) return {};
  const qsizetype value = at + key.size();
  const qsizetype close = layout.indexOf('"', value);
  if (close < 0 || close >= tag.end) return {};
  return layout.mid(value, close - value);
}

// The next element tag from `from`, skipping the declaration, comments and
// character data; none at the end of the text or where it is malformed.
std::optional<Tag> NextTag(const QByteArray& layout, qsizetype from, bool& malformed) {
  for (qsizetype at = layout.indexOf('<', from); at >= 0; at = layout.indexOf('<', at)) {
    const auto skipPast = [&](const char* terminator) {
      const qsizetype close = layout.indexOf(terminator, at);
      if (close < 0) malformed = true;
      return close < 0 ? layout.size() : close + qsizetype(qstrlen(terminator));
    };
    const QByteArrayView rest = QByteArrayView(layout).sliced(at);
    if (rest.startsWith("<!--")) {
      at = skipPast("-->");
      continue;
    }
    if (rest.startsWith("<![CDATA[")) {
      at = skipPast("]]>");
      continue;
    }
    if (rest.startsWith("<?") || rest.startsWith("<!")) {
      at = skipPast(">");
      continue;
    }
    Tag tag;
    tag.begin = at;
    char quote = 0;
    qsizetype close = at + 1;
    for (; close < layout.size(); ++close) {
      const char c = layout[close];
      if (quote) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '>') {
        break;
      }
    }
    if (close >= layout.size()) {
      malformed = true;
      return std::nullopt;
    }
    tag.end = close + 1;
    tag.closing = layout[at + 1] == '/';
    tag.empty = !tag.closing && layout[close - 1] == '/';
    qsizetype nameBegin = at + (tag.closing ? 2 : 1);
    qsizetype nameEnd = nameBegin;
    while (nameEnd < close && !QByteArrayView(" \t\r\n/").contains(layout[nameEnd])) ++nameEnd;
    tag.name = layout.mid(nameBegin, nameEnd - nameBegin);
    if (tag.name.isEmpty()) malformed = true;
    return tag;
  }
  return std::nullopt;
}

struct Range {
  qsizetype begin;
  qsizetype end;
};

}  // namespace

PagedLayout SplitPagedLayout(const QByteArray& layout, const QString& pageControl) {
  const QByteArray controlName = pageControl.toUtf8();
  QList<Tag> open;
  bool controlFound = false;
  qsizetype controlDepth = -1;  // depth of the page control's element while inside it
  QList<Range> pages;
  QList<Range> contents;  // what each page holds besides its properties
  Range customWidgets{0, 0};
  QStringList classes;
  bool malformed = false;
  // Whether an element at `depth` lies directly in a page: in a widget
  // element directly in the page control's.
  const auto inPage = [&](qsizetype depth) {
    return controlDepth >= 0 && depth == controlDepth + 2 && open.last().name == "widget";
  };

  for (qsizetype at = 0;;) {
    const std::optional<Tag> next = NextTag(layout, at, malformed);
    if (!next || malformed) break;
    const Tag& tag = *next;
    at = tag.end;
    const qsizetype depth = open.size();  // of this tag's element when it opens
    if (tag.closing) {
      if (open.isEmpty() || open.last().name != tag.name) {
        malformed = true;
        break;
      }
      const Tag start = open.takeLast();
      const qsizetype level = open.size();
      if (controlDepth >= 0 && level == controlDepth + 1 && start.name == "widget") {
        pages.append({start.begin, tag.end});
      } else if (inPage(level) && start.name != "property" && start.name != "attribute") {
        contents.append({start.begin, tag.end});
      } else if (level == 1 && start.name == "customwidgets") {
        customWidgets = {start.begin, tag.end};
      }
      if (level == controlDepth) controlDepth = -1;
      continue;
    }
    if (tag.name == "widget") classes.append(QString::fromUtf8(AttributeValue(layout, tag, "class")));
    if (tag.empty) {
      if (controlDepth >= 0 && depth == controlDepth + 1 && tag.name == "widget") {
        pages.append({tag.begin, tag.end});
      } else if (inPage(depth) && tag.name != "property" && tag.name != "attribute") {
        contents.append({tag.begin, tag.end});
      }
      continue;
    }
    if (tag.name == "widget" && !controlFound && AttributeValue(layout, tag, "name") == controlName) {
      controlFound = true;
      controlDepth = depth;
    }
    open.append(tag);
  }

  PagedLayout paged;
  if (malformed || !open.isEmpty() || pages.isEmpty()) return paged;

  qsizetype kept = 0;
  for (const Range& content : contents) {
    paged.window += layout.mid(kept, content.begin - kept);
    kept = content.end;
  }
  paged.window += layout.mid(kept);

  const QByteArray widgets = layout.mid(customWidgets.begin, customWidgets.end - customWidgets.begin);
  for (const Range& page : pages) {
    const QByteArray element = layout.mid(page.begin, page.end - page.begin);
    bool ignored = false;
    const QByteArray name = AttributeValue(element, *NextTag(element, 0, ignored), "name");
    paged.pageNames.append(QString::fromUtf8(name));
    paged.pages.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n <class>" + name +
                       "</class>\n " + element + "\n " + widgets + "\n</ui>\n");
  }
  paged.widgetClasses = classes;
  return paged;
}

const PagedLayout& StoredPagedLayout(const QString& path, const QString& pageControl) {
  static QHash<QString, PagedLayout> cuts;
  const QString key = path + QLatin1Char('#') + pageControl;
  if (const auto found = cuts.constFind(key); found != cuts.constEnd()) return *found;
  QFile file(path);
  PagedLayout paged;
  if (file.open(QIODevice::ReadOnly)) paged = SplitPagedLayout(file.readAll(), pageControl);
  return *cuts.insert(key, paged);
}
