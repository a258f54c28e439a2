#include "storedpictures.h"

#include "imagereading.h"
#include "programpaths.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QPixmapCache>
#include <QVariant>
#include <QWidget>

#include <future>
#include <memory>
#include <vector>

void ApplyStoredPictures(QWidget* root) {
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  widgets.prepend(root);
  ApplyStoredPictures(widgets);
}

void ApplyStoredPictures(const QList<QWidget*>& widgets) {
  for (QWidget* widget : widgets) {
    const QString path = widget->property("picture").toString();
    if (path.isEmpty()) continue;
    const QPixmap picture = LoadCoursePicture(path);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      label->setPixmap(picture);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      button->setIcon(QIcon(picture));
      if (!picture.isNull()) button->setIconSize(picture.size());
    }
  }
}

namespace {

QString PictureKey(const QString& relativePath) { return QStringLiteral("pelano:") + relativePath; }

QByteArray FormatOf(const QString& relativePath) { return QFileInfo(relativePath).suffix().toLower().toLatin1(); }

// Pictures being read ahead, by data path; touched on the window thread only.
QHash<QString, std::shared_future<QImage>>& PicturesReadAhead() {
  static QHash<QString, std::shared_future<QImage>> pictures;
  return pictures;
}

// The threads reading ahead; waited for when the program ends.
std::vector<std::future<void>>& ReadingThreads() {
  static std::vector<std::future<void>> threads;
  return threads;
}

struct PictureToRead {
  QString path;
  QByteArray format;
  std::promise<QImage> picture;
};

}  // namespace

QPixmap LoadCoursePicture(const QString& relativePath) {
  // One copy per picture, shared by every window that shows it: the icons
  // drawn from it are then made once too, not again for every window.
  const QString key = PictureKey(relativePath);
  QPixmap picture;
  if (QPixmapCache::find(key, &picture)) return picture;
  const std::shared_future<QImage> ahead = PicturesReadAhead().take(relativePath);
  picture =
      QPixmap::fromImage(ahead.valid() ? ahead.get() : ReadImageAs(DataPath(relativePath), FormatOf(relativePath)));
  if (!picture.isNull()) QPixmapCache::insert(key, picture);
  return picture;
}

void PrefetchCoursePictures(const QStringList& relativePaths) {
  auto pictures = std::make_shared<std::vector<PictureToRead>>();
  for (const QString& relativePath : relativePaths) {
    QPixmap read;
    if (PicturesReadAhead().contains(relativePath) || QPixmapCache::find(PictureKey(relativePath), &read)) continue;
    // The path is found here: looking up data paths is not for other threads.
    PictureToRead picture{DataPath(relativePath), FormatOf(relativePath), {}};
    PicturesReadAhead().insert(relativePath, picture.picture.get_future().share());
    pictures->push_back(std::move(picture));
  }
  if (pictures->empty()) return;
  ReadingThreads().push_back(std::async(std::launch::async, [pictures] {
    for (PictureToRead& picture : *pictures) picture.picture.set_value(ReadImageAs(picture.path, picture.format));
  }));
}

QStringList PicturesNamedIn(const QByteArray& layout) {
  // A plain search: the layouts are machine-written, one property at a time.
  QStringList paths;
  const QByteArray property = "<property name=\"picture\"";
  for (qsizetype at = layout.indexOf(property); at >= 0; at = layout.indexOf(property, at + 1)) {
    const qsizetype end = layout.indexOf("</property>", at);
    const qsizetype begin = layout.indexOf("<string>", at);
    if (begin < 0 || end < 0 || begin > end) continue;
    const qsizetype text = begin + qsizetype(qstrlen("<string>"));
    const qsizetype close = layout.indexOf("</string>", text);
    if (close < 0 || close > end) continue;
    paths.append(QString::fromUtf8(layout.mid(text, close - text)));
  }
  return paths;
}
