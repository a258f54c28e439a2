#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QSortFilterProxyModel>
#include <QString>

// Every section and key a translation holds, one row each, in template
// order: the Portuguese source beside the translation in force. Editing a
// translation stores it at once, as the translator's dialog does.
class TranslationTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { SectionColumn, KeyColumn, SourceColumn, TranslationColumn, ColumnCount };

  // Reads the template and the Portuguese sources beside the program, and
  // the translation in force.
  explicit TranslationTableModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // False, with the row as it was, when the translation could not be saved.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  int TranslatedCount() const;
  bool IsTranslated(int row) const { return !rows_.value(row).translation.isEmpty(); }

 Q_SIGNALS:
  void SaveFailed(const QString& section, const QString& key);

 private:
  struct Row {
    QString section;
    QString key;
    QString source;
    QString translation;
  };
  QList<Row> rows_;
};

// The rows a translator looks at: those matching the search anywhere, and
// only the untranslated ones when asked.
class TranslationTableFilter : public QSortFilterProxyModel {
  Q_OBJECT
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;
  void SetSearch(const QString& text);
  void SetOnlyUntranslated(bool only);

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  QString search_;
  bool onlyUntranslated_ = false;
};
