#pragma once

#include <QDialog>

class MultiRowTabs;

// The credits: who made the course, under which licence it may be used,
// copied and changed, its method, music, voices and the free software it is
// made with, in ten tabs. Names, addresses and lists are never translated;
// every other text follows the translation in force.
class TForm15 : public QDialog {
  Q_OBJECT
 public:
  // `mainWindow`: the main menu (caption of its credits button, picture of
  // its exit button, position) and the owner.
  explicit TForm15(QWidget* mainWindow);

  const MultiRowTabs& Tabs() const { return *tabs_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  void FormShow();
  void TradukuCxion(const QByteArray& section);
  void Button1Click();
  void Button2Click();

  QWidget* mainWindow_;
  MultiRowTabs* tabs_ = nullptr;
};
