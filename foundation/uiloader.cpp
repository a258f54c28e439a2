#include "uiloader.h"

#include "menubutton.h"
#include "statictext.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QVariant>

#include <memory>

namespace {

QHash<QString, PelanoUiLoader::WidgetFactory>& Factories() {
  static QHash<QString, PelanoUiLoader::WidgetFactory> factories{
      {QStringLiteral("StaticText"), [](QWidget* parent) { return new StaticText(parent); }},
      {QStringLiteral("MenuButton"), [](QWidget* parent) { return new MenuButton(parent); }},
  };
  return factories;
}

// QUiLoader loads every Qt Designer widget plugin it finds below the library
// paths when it is made (on Debian the QQuickWidget plugin, which drags in the
// whole of Qt Quick). Our layouts use only Qt's own widgets and ours, so the
// plugin folders are hidden from it while it is made.
template <typename Loader>
std::unique_ptr<Loader> MakeLoaderWithoutPlugins() {
  const QStringList libraryPaths = QCoreApplication::libraryPaths();
  QCoreApplication::setLibraryPaths({});
  auto loader = std::make_unique<Loader>();
  QCoreApplication::setLibraryPaths(libraryPaths);
  loader->clearPluginPaths();
  return loader;
}

}  // namespace

void PelanoUiLoader::RegisterWidgetClass(const QString& className, WidgetFactory factory) {
  Factories().insert(className, std::move(factory));
}

bool PelanoUiLoader::IsKnownClass(const QString& className) {
  if (Factories().contains(className)) return true;
  static const QStringList builtIn = MakeLoaderWithoutPlugins<QUiLoader>()->availableWidgets();
  return builtIn.contains(className);
}

QWidget* PelanoUiLoader::createWidget(const QString& className, QWidget* parent, const QString& name) {
  if (window_ && !parent) {
    QWidget* window = window_;
    window_ = nullptr;
    window->setObjectName(name);
    return window;
  }
  QWidget* widget = nullptr;
  if (const auto it = Factories().constFind(className); it != Factories().constEnd()) {
    widget = (*it)(parent);
  } else {
    widget = QUiLoader::createWidget(className, parent, name);
  }
  if (!widget) {
    unknownClasses_.append(className);
    return nullptr;
  }
  widget->setObjectName(name);
  return widget;
}

bool PelanoUiLoader::LoadInto(QWidget* window, const QString& uiPath) {
  QFile file(uiPath);
  if (!file.open(QIODevice::ReadOnly)) return false;
  return Make()->BuildInto(window, file.readAll());
}

std::unique_ptr<PelanoUiLoader> PelanoUiLoader::Make() { return MakeLoaderWithoutPlugins<PelanoUiLoader>(); }

bool PelanoUiLoader::BuildInto(QWidget* window, const QByteArray& layout) {
  QBuffer buffer;
  buffer.setData(layout);
  if (!buffer.open(QIODevice::ReadOnly)) return false;
  window_ = window;
  unknownClasses_.clear();
  QWidget* root = load(&buffer, nullptr);
  window_ = nullptr;
  return root == window && unknownClasses_.isEmpty();
}

QWidget* PelanoUiLoader::Load(const QString& uiPath, QWidget* parent) {
  QFile file(uiPath);
  if (!file.open(QIODevice::ReadOnly)) return nullptr;
  auto loader = MakeLoaderWithoutPlugins<PelanoUiLoader>();
  QWidget* root = loader->load(&file, parent);
  if (root && !loader->unknownClasses_.isEmpty()) {
    delete root;
    return nullptr;
  }
  return root;
}

int ComponentTag(const QObject* component) { return component ? component->property("tag").toInt() : 0; }
