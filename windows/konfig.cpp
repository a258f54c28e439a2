#include "konfig.h"

#include "drillprogress.h"
#include "failurenotices.h"
#include "inifile.h"
#include "layoutpaths.h"
#include "messagebox.h"
#include "messages.h"
#include "programpaths.h"
#include "settings.h"
#include "storedpictures.h"
#include "storedtext.h"
#include "translationpaths.h"
#include "translator.h"
#include "uiloader.h"
#include "weblink.h"
#include "windowtranslation.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QShowEvent>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace {

const QByteArray kSection = QByteArrayLiteral("Konfig");

const QString kPortugueseLater =
    QStringLiteral("A tradução para o português se efetivará quando retornar ao Menu Principal");

}  // namespace

TForm13::TForm13(QStringList translationFiles, std::function<void()> reloadSettings, QWidget* mainWindow)
    : QDialog(mainWindow),
      mainWindow_(mainWindow),
      reloadSettings_(std::move(reloadSettings)),
      translationFiles_(std::move(translationFiles)) {
  PelanoUiLoader::LoadInto(this, LayoutPath(QStringLiteral("konfig.ui")));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(size());
  ApplyStoredPictures(this);

  Lingvo_ = findChild<QComboBox*>(QStringLiteral("Lingvo"));
  Tiparo_ = findChild<QFontComboBox*>(QStringLiteral("Tiparo"));
  Edit1_ = findChild<QLineEdit*>(QStringLiteral("Edit1"));
  Edit2_ = findChild<QLineEdit*>(QStringLiteral("Edit2"));
  Edit3_ = findChild<QLineEdit*>(QStringLiteral("Edit3"));
  Korektanto_ = findChild<QCheckBox*>(QStringLiteral("Korektanto"));
  Cxapeligo_ = findChild<QCheckBox*>(QStringLiteral("Cxapeligo"));
  SenduRezultojn_ = findChild<QCheckBox*>(QStringLiteral("SenduRezultojn"));
  Restarigi_ = findChild<QToolButton*>(QStringLiteral("Restarigi"));
  Sistemo_ = findChild<QGroupBox*>(QStringLiteral("Sistemo"));
  for (int system = 0; system < 3; ++system) {
    sistemoBoxes_.append(findChild<QCheckBox*>(QStringLiteral("SistemoB_%1").arg(system)));
  }
  Savu_ = findChild<QToolButton*>(QStringLiteral("Savu"));

  FormCreate();

  connect(Lingvo_, &QComboBox::activated, this, &TForm13::LingvoChange);
  connect(Tiparo_, &QComboBox::activated, this, &TForm13::TiparoChange);
  connect(Korektanto_, &QCheckBox::clicked, this, &TForm13::KorektantoClick);
  connect(Cxapeligo_, &QCheckBox::clicked, this, &TForm13::CxapeligoClick);
  connect(SenduRezultojn_, &QCheckBox::clicked, this, &TForm13::SenduRezultojnClick);
  connect(Restarigi_, &QToolButton::clicked, this, &TForm13::RestarigiClick);
  for (QCheckBox* box : sistemoBoxes_) {
    connect(box, &QCheckBox::clicked, this, [this, box] { SistemoClick(box); });
  }
  connect(Edit1_, &QLineEdit::textChanged, this, &TForm13::Edit1Change);
  connect(Edit2_, &QLineEdit::textChanged, this, &TForm13::Edit1Change);
  connect(Savu_, &QToolButton::clicked, this, &TForm13::SavuClick);
  connect(findChild<QToolButton*>(QStringLiteral("Eliri")), &QToolButton::clicked, this, &TForm13::EliriClick);
  OnLabelClick(findChild<QLabel*>(QStringLiteral("StaticText2")), [this] { Button1Click(); });
  WireTranslatorLabels(this);
}

void TForm13::FormCreate() {
  auto* eliri = findChild<QToolButton*>(QStringLiteral("Eliri"));
  if (const auto* mainEliri =
          mainWindow_ ? mainWindow_->findChild<QAbstractButton*>(QStringLiteral("Eliri")) : nullptr) {
    eliri->setIcon(mainEliri->icon());
  }
  eliri->setToolTip(Messages().smPordo);
  Restarigi_->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
  TradukuCxion(kSection);
}

void TForm13::TradukuCxion(const QByteArray& section) { TranslateConfigurationWindow(this, section); }

void TForm13::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm13::FormShow() {
  if (mainWindow_) {
    const QRect main = mainWindow_->frameGeometry();
    move(main.left() + (main.width() - frameGeometry().width()) / 2,
         main.top() + (main.height() - frameGeometry().height()) / 2);
    if (const auto* button = mainWindow_->findChild<QAbstractButton*>(QStringLiteral("Konfigurado"))) {
      setWindowTitle(button->text());
    }
  }
  const Settings& settings = CurrentSettings();
  ShowSampleFont(settings.Tiparo);

  FillLanguageLists();
  const int language = Lingvo_->findText(settings.Lingvo);
  Lingvo_->setCurrentIndex(language);
  // A language no installed file names is still shown, as the choice in force.
  Lingvo_->setPlaceholderText(language < 0 ? settings.Lingvo : QString());
  ShowFont(settings.Tiparo, false);

  Korektanto_->setChecked(settings.Korektanto);
  SenduRezultojn_->setChecked(settings.SenduRezultojn);
  pending_.sendResults = settings.SenduRezultojn;
  ShowWhetherProgressIsKept();
  Edit1_->setText(settings.Nomo);
  Edit2_->setText(settings.Adreso);

  pending_.letterSystem = settings.Sistemo;
  pending_.monitor = settings.Korektanto;
  pending_.hatTyping = settings.Capeligo;
  TickLetterSystem(pending_.letterSystem);
  pending_.language = settings.Lingvo;
  pending_.font = settings.Tiparo;
  pending_.file = settings.Dosiero;

  EnableMonitorFields(settings.Korektanto);
  Cxapeligo_->setChecked(settings.Capeligo);
  Savu_->setEnabled(false);
  Korektanto_->setFocus();
}

void TForm13::FillLanguageLists() {
  languageNames_.clear();
  fontNames_.clear();
  fileNames_.clear();
  Lingvo_->clear();
  QStringList items{Portuguese};
  for (const QString& fileName : translationFiles_) {
    const TIniFile file(TranslationFilePath(fileName));
    const QString language = DecodeTranslation(file.ReadBytes("Traduko", "Lingvo", QByteArrayLiteral("Nevalida")));
    languageNames_.append(language);
    fontNames_.append(DecodeTranslation(file.ReadBytes("Traduko", "Tiparo", QByteArrayLiteral("Arial"))));
    fileNames_.append(fileName);
    // Two files naming one language are one choice: the first file is taken.
    if (!items.contains(language)) items.append(language);
  }
  QCollator collator(QLocale(QLocale::Portuguese, QLocale::Brazil));
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::sort(items.begin(), items.end(), collator);
  Lingvo_->addItems(items);
}

void TForm13::ShowFont(const QString& family, bool firstWhenMissing) {
  // A family this machine lacks (Arial, say) is drawn in another one: the box shows that one.
  const QString drawn = QFontInfo(QFont(family)).family();
  int index = Tiparo_->findText(family, Qt::MatchFixedString);
  if (index < 0) index = Tiparo_->findText(drawn, Qt::MatchFixedString);
  // The box names a family that several foundries make "Family [Foundry]".
  if (index < 0) index = Tiparo_->findText(drawn + QStringLiteral(" ["), Qt::MatchStartsWith);
  Tiparo_->setCurrentIndex(index >= 0 ? index : (firstWhenMissing && Tiparo_->count() > 0 ? 0 : -1));
}

void TForm13::ShowSampleFont(const QString& family) {
  QFont font = Edit3_->font();
  font.setFamily(family);
  Edit3_->setFont(font);
}

void TForm13::EnableMonitorFields(bool enabled) {
  Edit1_->setEnabled(enabled);
  Edit2_->setEnabled(enabled);
  Sistemo_->setEnabled(enabled);
  SenduRezultojn_->setEnabled(enabled);
  findChild<QLabel*>(QStringLiteral("Label13"))->setEnabled(enabled);
}

void TForm13::TickLetterSystem(int system) {
  for (QCheckBox* box : sistemoBoxes_) box->setChecked(ComponentTag(box) == system);
}

void TForm13::LingvoChange() {
  Savu_->setEnabled(true);
  pending_.language = Lingvo_->currentText();
  Lingvo_->setPlaceholderText(QString());
  const int index = languageNames_.indexOf(pending_.language);
  if (index < 0) {
    // The built-in Portuguese: its texts are drawn in Arial.
    pending_.font = QStringLiteral("Arial");
    ShowFont(pending_.font, true);
  } else {
    pending_.font = fontNames_[index];
    ShowFont(pending_.font, true);
    pending_.file = fileNames_[index];
  }
  ShowSampleFont(pending_.font);
}

void TForm13::TiparoChange() {
  Savu_->setEnabled(true);
  pending_.font = Tiparo_->currentText();
  ShowSampleFont(pending_.font);
}

void TForm13::KorektantoClick() {
  Savu_->setEnabled(true);
  pending_.monitor = Korektanto_->isChecked();
  EnableMonitorFields(pending_.monitor);
  if (pending_.monitor) Edit1_->setFocus();
}

void TForm13::SistemoClick(QCheckBox* clicked) {
  // The three boxes are one choice: clicking the chosen one keeps it chosen.
  Savu_->setEnabled(true);
  pending_.letterSystem = ComponentTag(clicked);
  TickLetterSystem(pending_.letterSystem);
}

void TForm13::CxapeligoClick() {
  pending_.hatTyping = Cxapeligo_->isChecked();
  Savu_->setEnabled(true);
}

void TForm13::SenduRezultojnClick() {
  pending_.sendResults = SenduRezultojn_->isChecked();
  Savu_->setEnabled(true);
}

void TForm13::Edit1Change() { Savu_->setEnabled(true); }

void TForm13::ShowWhetherProgressIsKept() {
  const bool anything = !DrillProgress(SettingsFile()).IsEmpty();
  Restarigi_->setEnabled(anything);
  findChild<QLabel*>(QStringLiteral("Label14"))->setEnabled(anything);
}

void TForm13::RestarigiClick() {
  if (ShowMessage(this, QMessageBox::Question, Messages().smRestarigi, QMessageBox::Yes | QMessageBox::No,
                  QMessageBox::No) != QMessageBox::Yes) {
    return;
  }
  DrillProgress progress(SettingsFile());
  if (!progress.Reset()) TellSettingsNotSaved(this);
  ShowWhetherProgressIsKept();
}

void TForm13::Button1Click() {
  OpenLink(this, CaptionAddress(findChild<QLabel*>(QStringLiteral("StaticText2"))->text()));
}

bool TForm13::SavuClick() {
  using namespace SettingsKeys;
  TIniFile* file = SettingsFile();
  // One replacement of the file, in the order in which earlier versions wrote the keys.
  const bool written = file && file->WriteAll({{General, Tiparo, pending_.font.toUtf8()},
                                               {General, Lingvo, pending_.language.toUtf8()},
                                               {General, Dosiero, pending_.file.toUtf8()},
                                               {General, Korektanto, pending_.monitor ? "1" : "0"},
                                               {General, Nomo, Edit1_->text().toUtf8()},
                                               {General, Adreso, Edit2_->text().toUtf8()},
                                               {General, Capeligo, pending_.hatTyping ? "1" : "0"},
                                               {General, Sistemo, QByteArray::number(pending_.letterSystem)},
                                               {General, SenduRezultojn, pending_.sendResults ? "1" : "0"}});
  if (!written) {
    // Nothing is taken as saved: the changes stay pending, so that the learner
    // can try again or leave knowing they are lost.
    TellSettingsNotSaved(this);
    return false;
  }
  Savu_->setEnabled(false);

  Settings& settings = CurrentSettings();
  settings.Adreso = Edit2_->text();
  settings.Sistemo = pending_.letterSystem;
  settings.Capeligo = pending_.hatTyping;
  settings.Korektanto = pending_.monitor;
  settings.Nomo = Edit1_->text();
  settings.SenduRezultojn = pending_.sendResults;

  if (settings.Lingvo != pending_.language || settings.Tiparo != pending_.font) {
    if (reloadSettings_) reloadSettings_();
    TradukuCxion(kSection);
    if (pending_.language == Portuguese) {
      ShowMessage(this, QMessageBox::Information, kPortugueseLater);
    }
  }
  return true;
}

void TForm13::EliriClick() {
  if (!Savu_->isEnabled()) {
    accept();
    return;
  }
  const auto answer = ShowMessage(this, QMessageBox::Question, Messages().smModifis,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  if (answer == QMessageBox::Yes) {
    if (SavuClick()) accept();
  } else if (answer == QMessageBox::No) {
    reject();
  }
}

void TForm13::keyPressEvent(QKeyEvent* event) {
  // Escape leaves as the exit button does, so it never drops changes unasked.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    EliriClick();
    return;
  }
  QDialog::keyPressEvent(event);
}
