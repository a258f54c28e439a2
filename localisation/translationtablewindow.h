#pragma once

#include <QDialog>

class QLabel;
class QTableView;
class TranslationTableFilter;
class TranslationTableModel;

// "Ĉiuj tradukoj": the translator's table of every key of the translation in
// force, the ones no label shows included, with the Portuguese beside each.
// It searches, shows only what is left to translate when asked, and saves an
// edit as soon as it is made, to the translator's own copy of the file.
class TranslationTableWindow : public QDialog {
  Q_OBJECT
 public:
  explicit TranslationTableWindow(QWidget* parent = nullptr);
  ~TranslationTableWindow() override;

  TranslationTableModel* Model() const { return model_; }
  TranslationTableFilter* Filter() const { return filter_; }

 private:
  void ShowCount();

  TranslationTableModel* model_;
  TranslationTableFilter* filter_;
  QTableView* table_ = nullptr;
  QLabel* count_ = nullptr;
};

// Opens the table modally over `owner` while a translation is in force.
void OpenTranslationTable(QWidget* owner);
