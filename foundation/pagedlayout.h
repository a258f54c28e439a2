#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A stored window layout cut at its page control, so that a window can be
// built page by page: the window itself with every page present but empty
// (its name, tab title and properties kept), and each page's contents as a
// layout of its own whose top widget is that page. Building the window and
// then every page into its empty page gives the same widgets as building
// the whole layout at once.
struct PagedLayout {
  QByteArray window;
  QList<QByteArray> pages;
  QStringList pageNames;
  // Every widget class the layout names, pages included.
  QStringList widgetClasses;

  bool IsValid() const { return !pages.isEmpty(); }
};

// Cuts `layout` (the text of a Qt Designer file) at the widget named
// `pageControl`. Invalid (no pages) when the text is not well-formed or has
// no such widget.
PagedLayout SplitPagedLayout(const QByteArray& layout, const QString& pageControl);

// The cut of a stored layout, read and cut once per run.
const PagedLayout& StoredPagedLayout(const QString& path, const QString& pageControl);
