#include "translationtablewindow.h"

#include "layoutpaths.h"
#include "messagebox.h"
#include "settings.h"
#include "translationfile.h"
#include "translationfiles.h"
#include "translationtable.h"
#include "uiloader.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableView>

TranslationTableWindow::TranslationTableWindow(QWidget* parent)
    : QDialog(parent), model_(new TranslationTableModel(this)), filter_(new TranslationTableFilter(this)) {
  PelanoUiLoader::LoadInto(this, LayoutPath(QStringLiteral("translationtable.ui")));
  filter_->setSourceModel(model_);
  table_ = findChild<QTableView*>(QStringLiteral("Tabelo"));
  table_->setModel(filter_);
  QHeaderView* header = table_->horizontalHeader();
  header->setSectionResizeMode(TranslationTableModel::SectionColumn, QHeaderView::ResizeToContents);
  header->setSectionResizeMode(TranslationTableModel::KeyColumn, QHeaderView::ResizeToContents);
  header->setSectionResizeMode(TranslationTableModel::SourceColumn, QHeaderView::Stretch);
  header->setSectionResizeMode(TranslationTableModel::TranslationColumn, QHeaderView::Stretch);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() * 2 + 8);
  count_ = findChild<QLabel*>(QStringLiteral("Nombro"));

  connect(findChild<QLineEdit*>(QStringLiteral("Sercxu")), &QLineEdit::textChanged, filter_,
          &TranslationTableFilter::SetSearch);
  connect(findChild<QCheckBox*>(QStringLiteral("NurNetradukitaj")), &QCheckBox::toggled, filter_,
          &TranslationTableFilter::SetOnlyUntranslated);
  connect(findChild<QPushButton*>(QStringLiteral("Fermu")), &QPushButton::clicked, this, &QDialog::accept);
  connect(model_, &TranslationTableModel::dataChanged, this, &TranslationTableWindow::ShowCount);
  connect(filter_, &QAbstractItemModel::rowsInserted, this, &TranslationTableWindow::ShowCount);
  connect(filter_, &QAbstractItemModel::rowsRemoved, this, &TranslationTableWindow::ShowCount);
  connect(filter_, &QAbstractItemModel::modelReset, this, &TranslationTableWindow::ShowCount);
  connect(filter_, &QAbstractItemModel::layoutChanged, this, &TranslationTableWindow::ShowCount);
  connect(model_, &TranslationTableModel::SaveFailed, this,
          [this] { ShowMessage(this, QMessageBox::Warning, TranslationNotSavedText(CurrentSettings().Dosiero)); });
  ShowCount();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

TranslationTableWindow::~TranslationTableWindow() = default;

void TranslationTableWindow::ShowCount() {
  count_->setText(QStringLiteral("%1 tradukitaj el %2; %3 montrataj")
                      .arg(model_->TranslatedCount())
                      .arg(model_->rowCount())
                      .arg(filter_->rowCount()));
}

void OpenTranslationTable(QWidget* owner) {
  if (!TranslationFile()) return;
  TranslationTableWindow table(owner);
  table.exec();
}
