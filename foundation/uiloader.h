#pragma once

#include <QString>
#include <QUiLoader>

#include <functional>
#include <memory>

// Builds windows and frames from their stored layouts (Qt Designer files).
// Our own widget classes are created by class name through the factories
// registered here, so that layouts can name classes of any part of the
// program without this loader knowing them.
class PelanoUiLoader : public QUiLoader {
 public:
  using WidgetFactory = std::function<QWidget*(QWidget* parent)>;
  static void RegisterWidgetClass(const QString& className, WidgetFactory factory);
  static bool IsKnownClass(const QString& className);

  // Builds the layout at `uiPath` into `window`, which takes the place of the
  // layout's top-level widget: its name, size and properties come from the
  // layout and its children become the window's. False when the layout could
  // not be read or names a class nobody creates.
  static bool LoadInto(QWidget* window, const QString& uiPath);

  // Builds a layout as a new widget; null on failure.
  static QWidget* Load(const QString& uiPath, QWidget* parent);

  // A loader for building several layouts in a row, as a window built page
  // by page does.
  static std::unique_ptr<PelanoUiLoader> Make();
  // LoadInto with the layout's text; the loader may be used again.
  bool BuildInto(QWidget* window, const QByteArray& layout);

  QStringList UnknownClasses() const { return unknownClasses_; }

 protected:
  QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override;

 private:
  QWidget* window_ = nullptr;
  QStringList unknownClasses_;
};

// The numeric Tag of a component (dynamic property "tag"), 0 when it has none.
int ComponentTag(const QObject* component);
