#include "translationtable.h"

#include "gettextfiles.h"
#include "inilines.h"
#include "programpaths.h"
#include "storedtext.h"
#include "translationfile.h"
#include "translationfiles.h"

#include <QHash>

namespace {

QByteArray DataFile(const QString& name) {
  QByteArray contents;
  IniLines::ReadFile(DataPath(QStringLiteral("tradukoj\\") + name), contents);
  return contents;
}

}  // namespace

TranslationTableModel::TranslationTableModel(QObject* parent) : QAbstractTableModel(parent) {
  QList<TranslationEntry> entries = ReadTranslationTable(DataFile(QStringLiteral("sxablono.txt")));
  AddSources(entries, DataFile(QStringLiteral("fonto.txt")));
  const TSharedIniFile* translation = TranslationFile();
  for (const TranslationEntry& entry : entries) {
    const QByteArray stored =
        translation ? translation->ReadString(entry.section, entry.key, QByteArray()) : QByteArray();
    rows_.append({QString::fromLatin1(entry.section), QString::fromLatin1(entry.key), DecodeTranslation(entry.source),
                  DecodeTranslation(stored)});
  }
}

int TranslationTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(rows_.size());
}

int TranslationTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant TranslationTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_.size()) return QVariant();
  const Row& row = rows_[index.row()];
  if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole) return QVariant();
  switch (index.column()) {
    case SectionColumn: return row.section;
    case KeyColumn: return row.key;
    case SourceColumn: return row.source;
    case TranslationColumn: return row.translation;
    default: return QVariant();
  }
}

QVariant TranslationTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return QAbstractTableModel::headerData(section, orientation, role);
  switch (section) {
    case SectionColumn: return QStringLiteral("Sekcio");
    case KeyColumn: return QStringLiteral("Ŝlosilo");
    case SourceColumn: return QStringLiteral("Portugale");
    case TranslationColumn: return QStringLiteral("Traduko");
    default: return QVariant();
  }
}

Qt::ItemFlags TranslationTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.column() == TranslationColumn && TranslationFile()) flags |= Qt::ItemIsEditable;
  return flags;
}

bool TranslationTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || index.column() != TranslationColumn || index.row() >= rows_.size()) return false;
  Row& row = rows_[index.row()];
  const QString text = value.toString();
  if (text == row.translation) return true;
  if (!StoreTranslation(row.section, row.key, text)) {
    Q_EMIT SaveFailed(row.section, row.key);
    return false;
  }
  row.translation = text;
  Q_EMIT dataChanged(index, index);
  return true;
}

int TranslationTableModel::TranslatedCount() const {
  return int(std::count_if(rows_.begin(), rows_.end(), [](const Row& row) { return !row.translation.isEmpty(); }));
}

void TranslationTableFilter::SetSearch(const QString& text) {
  search_ = text;
  invalidateFilter();
}

void TranslationTableFilter::SetOnlyUntranslated(bool only) {
  onlyUntranslated_ = only;
  invalidateFilter();
}

bool TranslationTableFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
  const QAbstractItemModel* model = sourceModel();
  const QString translation =
      model->index(sourceRow, TranslationTableModel::TranslationColumn, sourceParent).data().toString();
  if (onlyUntranslated_ && !translation.isEmpty()) return false;
  if (search_.isEmpty()) return true;
  for (int column = 0; column < TranslationTableModel::ColumnCount; ++column) {
    if (model->index(sourceRow, column, sourceParent).data().toString().contains(search_, Qt::CaseInsensitive)) {
      return true;
    }
  }
  return false;
}
