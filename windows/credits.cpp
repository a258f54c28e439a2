#include "credits.h"

#include "failurenotices.h"
#include "layoutpaths.h"
#include "messages.h"
#include "settings.h"
#include "tabrows.h"
#include "translator.h"
#include "uiloader.h"
#include "weblink.h"
#include "windowtranslation.h"

#include <QAbstractButton>
#include <QLabel>
#include <QShowEvent>
#include <QTabWidget>
#include <QToolButton>

namespace {

constexpr int kTabHeight = 30;

}  // namespace

TForm15::TForm15(QWidget* mainWindow) : QDialog(mainWindow), mainWindow_(mainWindow) {
  PelanoUiLoader::LoadInto(this, LayoutPath(QStringLiteral("credits.ui")));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(size());
  tabs_ = new MultiRowTabs(findChild<QTabWidget*>(QStringLiteral("PageControl1")), kTabHeight);
  FormCreate();
  connect(findChild<QToolButton*>(QStringLiteral("Eliri")), &QToolButton::clicked, this, &QDialog::accept);
  OnLabelClick(findChild<QLabel*>(QStringLiteral("StaticText10")), [this] { Button1Click(); });
  OnLabelClick(findChild<QLabel*>(QStringLiteral("StaticText9")), [this] { Button2Click(); });
  WireTranslatorLabels(this, [this](QLabel* label) {
    // The translator's name comes from the translation's own record, not from a caption.
    if (label->objectName() != QLatin1String("Tradukinto")) OpenTranslator(label, objectName());
  });
}

void TForm15::FormCreate() {
  auto* eliri = findChild<QToolButton*>(QStringLiteral("Eliri"));
  if (const auto* mainEliri =
          mainWindow_ ? mainWindow_->findChild<QAbstractButton*>(QStringLiteral("Eliri")) : nullptr) {
    eliri->setIcon(mainEliri->icon());
  }
  eliri->setToolTip(Messages().smPordo);
}

void TForm15::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm15::FormShow() {
  if (mainWindow_) {
    if (const auto* button = mainWindow_->findChild<QAbstractButton*>(QStringLiteral("Kreditoj"))) {
      setWindowTitle(button->text());
    }
    const QRect main = mainWindow_->frameGeometry();
    move(main.left() + (main.width() - frameGeometry().width()) / 2,
         main.top() + (main.height() - frameGeometry().height()) / 2);
  }
  TradukuCxion("Menuo4");
  if (CurrentSettings().Lingvo != Portuguese) {
    findChild<QLabel*>(QStringLiteral("Tradukinto"))->setText(CurrentSettings().Tradukinto);
  }
}

void TForm15::TradukuCxion(const QByteArray& section) {
  TranslateCreditsWindow(this, section);
  tabs_->Refresh();
}

void TForm15::Button1Click() {
  OpenLink(this, CaptionAddress(findChild<QLabel*>(QStringLiteral("StaticText10"))->text()));
}

void TForm15::Button2Click() {
  // The author's address: an e-mail address starts a message, a web address opens its page.
  OpenLink(this, CaptionAddress(findChild<QLabel*>(QStringLiteral("StaticText9"))->text()));
}
