#include "lessonwindow.h"

#include "coursesounds.h"
#include "cursorfile.h"
#include "drillpanel.h"
#include "drillprogress.h"
#include "exercisedata.h"
#include "layoutpaths.h"
#include "lessoncatalogue.h"
#include "messages.h"
#include "mp3player.h"
#include "navigationbar.h"
#include "ownedcomponents.h"
#include "pagedlayout.h"
#include "picturestore.h"
#include "programpaths.h"
#include "pronunciation.h"
#include "resumerequest.h"
#include "settings.h"
#include "storedpictures.h"
#include "translator.h"
#include "uiloader.h"
#include "windowtranslation.h"
#include "writtenanswers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>

QIcon WithPassedMark(const QIcon& icon) {
  QPixmap picture = icon.pixmap(QSize(16, 16));
  if (picture.isNull()) {
    picture = QPixmap(16, 16);
    picture.fill(Qt::transparent);
  }
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF corner(picture.width() * 0.45, picture.height() * 0.45, picture.width() * 0.55, picture.height() * 0.55);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x1b, 0x7a, 0x2e));
  painter.drawEllipse(corner);
  painter.setPen(QPen(Qt::white, picture.width() / 10.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const QPointF tick[] = {corner.topLeft() + QPointF(corner.width() * 0.25, corner.height() * 0.52),
                          corner.topLeft() + QPointF(corner.width() * 0.43, corner.height() * 0.72),
                          corner.topLeft() + QPointF(corner.width() * 0.76, corner.height() * 0.3)};
  painter.drawPolyline(tick, 3);
  return QIcon(picture);
}

namespace {

// How long a lesson window shown without painting waits before it builds
// the rest of its pages all the same.
constexpr int kCompletionAtTheLatestMs = 200;

}  // namespace

int TabWidth(int pageControlWidth, int pageCount) {
  if (pageCount <= 0) return pageControlWidth;
  return static_cast<int>(std::nearbyint(double(pageControlWidth - pageCount) / pageCount));
}

TLessonWindow::TLessonWindow(const LessonEntry& entry, QWidget* owner) : DrillHost(owner), entry_(entry) {
  // Set on a window already full of widgets, the flags would make every one
  // of them take its style again.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  const PagedLayout& layout = StoredPagedLayout(LayoutPath(QLatin1String(entry.layout)), QStringLiteral("Pagxaro"));
  if (!layout.IsValid() ||
      !std::all_of(layout.widgetClasses.begin(), layout.widgetClasses.end(), &PelanoUiLoader::IsKnownClass)) {
    return;
  }
  loader_ = PelanoUiLoader::Make();
  if (!loader_->BuildInto(this, layout.window)) return;
  setFixedSize(632, 442);
  auto* pages = findChild<QTabWidget*>(QStringLiteral("Pagxaro"));
  if (!pages || pages->count() != layout.pages.size()) return;
  layout_ = &layout;
  pagxaro_ = pages;
  subaParto_ = findChild<TFrame6*>(QStringLiteral("SubaParto"));
  built_.fill(false, pagxaro_->count());
  qApp->installEventFilter(this);
}

TLessonWindow::~TLessonWindow() = default;

bool TLessonWindow::IsSpeakingButton(const QPushButton* button) const {
  static const QRegularExpression speakingName(QStringLiteral("^Button\\d+$"));
  return speakingName.match(button->objectName()).hasMatch();
}

void TLessonWindow::WireComponents(const QList<QWidget*>& components) {
  const QCursor speaking = CustomCursor(21);
  for (QWidget* component : components) {
    if (auto* button = qobject_cast<QPushButton*>(component); button && IsSpeakingButton(button)) {
      button->setCursor(speaking);
      connect(button, &QPushButton::clicked, this, &TLessonWindow::ButonKlako);
    } else if (ComponentTag(component) > 0) {
      if (auto* edit = qobject_cast<QLineEdit*>(component)) {
        connect(edit, &QLineEdit::textChanged, this, &TLessonWindow::Edit2Change);
      } else if (auto* plain = qobject_cast<QPlainTextEdit*>(component); plain && !plain->isReadOnly()) {
        connect(plain, &QPlainTextEdit::textChanged, this, &TLessonWindow::Edit2Change);
      } else if (auto* rich = qobject_cast<QTextEdit*>(component); rich && !rich->isReadOnly()) {
        connect(rich, &QTextEdit::textChanged, this, &TLessonWindow::Edit2Change);
      }
    }
  }
}

void TLessonWindow::Tradukilo(QLabel* sender) { OpenTranslator(sender, objectName()); }

const DrillCodes& TLessonWindow::Codes() const { return entry_.drills; }

QString TLessonWindow::SoundFolder() const { return QLatin1String(entry_.soundFolder); }

int TLessonWindow::CurrentPage() const { return pagxaro_ ? pagxaro_->currentIndex() : -1; }

void TLessonWindow::FormCreate(PageBuilding building) {
  pagxaro_->tabBar()->setStyleSheet(
      QStringLiteral("QTabBar::tab { width: %1px; padding: 2px 0px; }").arg(TabWidth(width(), pagxaro_->count())));
  if (parentWidget()) move(parentWidget()->pos());
  subaParto_->koverto()->setToolTip(Messages().smKoverto);
  subaParto_->Savu()->setToolTip(Messages().smDisketo);
  subaParto_->Eliri()->setToolTip(Messages().smPordo);

  const int first = StartPage();
  pagxaro_->setCurrentIndex(first);
  BuildPage(first);
  PrepareComponents(this);
  connect(pagxaro_, &QTabWidget::currentChanged, this, &TLessonWindow::PagxaroChange);
  subaParto_->Savu()->setEnabled(false);
  ShowProgress();
  if (building == PageBuilding::AllAtOnce) CompletePages();
}

int TLessonWindow::StartPage() const {
  if (!ResumeRequested()) return 0;
  const int remembered = CurrentSettings().LastaPagxo;
  // A remembered page this lesson does not have opens the first page.
  return remembered >= 0 && remembered < pagxaro_->count() ? remembered : 0;
}

bool TLessonWindow::BuildPage(int index) {
  if (built_[index]) return false;
  built_[index] = true;
  // The page is in its place already, so its contents take their style once,
  // as they are made, instead of again when a finished page is added.
  if (!loader_->BuildInto(pagxaro_->widget(index), layout_->pages[index])) {
    qWarning("The page %s of %s could not be built.", qPrintable(layout_->pageNames[index]), entry_.layout);
  }
  return true;
}

void TLessonWindow::PrepareComponents(QWidget* root) {
  const QList<QWidget*> components = OwnedComponents(root);
  // The frames have shown their own pictures already.
  ApplyStoredPictures(components);
  TranslateLessonComponents(components, QLatin1String(entry_.section), entry_.colour);
  // Before the handlers: showing a stored answer is not typing one.
  LoadWrittenAnswers(pagxaro_, components);
  WireComponents(components);
  WireTranslatorLabels(root, [this](QLabel* label) { Tradukilo(label); });
}

void TLessonWindow::CompletePages() {
  if (complete_ || !IsComplete()) return;
  complete_ = true;
  for (int i = 0; i < pagxaro_->count(); ++i) {
    if (BuildPage(i)) PrepareComponents(pagxaro_->widget(i));
  }
  loader_.reset();
  LessonSetUp();
  ShowProgress();
  for (DrillPanel* panel : findChildren<DrillPanel*>()) {
    connect(panel, &DrillPanel::resultKept, this, &TLessonWindow::ShowProgress);
  }
}

QList<LessonRecording> TLessonWindow::Recordings() const {
  const_cast<TLessonWindow*>(this)->CompletePages();
  QList<LessonRecording> recordings;
  const QString folder = SoundFolder();
  auto* self = const_cast<TLessonWindow*>(this);
  for (QWidget* component : OwnedComponents(self)) {
    const auto* button = qobject_cast<const QPushButton*>(component);
    if (!button || !IsSpeakingButton(button)) continue;
    const QString file = WordRecordingFileName(button->objectName(), ComponentTag(button), button->text());
    recordings.append({LessonRecordingPath(folder, file), SpokenText(button->text())});
  }
  // The items of the window's pronunciation and listening drills.
  QStringList codes;
  if (OwnedComponent(self, QStringLiteral("TFrame21"))) codes.append(QLatin1String(Codes().pronunciation));
  if (OwnedComponent(self, QStringLiteral("TFrame31"))) codes.append(QLatin1String(Codes().listening));
  for (const QString& code : codes) {
    QStringList items;
    const int count = LoadExerciseItems(items, code, QStringLiteral("D"));
    for (int i = 0; i < count; ++i) {
      QString text = items[i];
      if (const int number = ItemButtonNumber(text)) {
        const auto* button = qobject_cast<const QAbstractButton*>(
            OwnedComponent(self, QStringLiteral("Button") + QString::number(number)));
        if (!button) continue;
        text = button->text();
      }
      recordings.append({DrillItemRecording(items[i], folder), text});
    }
  }
  return recordings;
}

void TLessonWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous() || shown_) return;
  shown_ = true;
  FormShow();
}

void TLessonWindow::FormShow() {
  subaParto_->PagxaroShangho();
  if (complete_) {
    PagxaroChange();
    return;
  }
  // The rest is built once the first page is on screen (see eventFilter);
  // should no paint come, a little later all the same.
  QTimer::singleShot(kCompletionAtTheLatestMs, this, &TLessonWindow::CompleteUnlessClosing);
}

void TLessonWindow::CompleteUnlessClosing() {
  if (Closing() || complete_) return;
  CompletePages();
  PagxaroChange();  // the page on show, now with the lesson's drills set up
}

void TLessonWindow::PagxaroChange() {
  CompletePages();
  // The pronunciation practice runs only on its own page.
  QWidget* page = pagxaro_->currentWidget();
  if (page && !orderedPages_.contains(page)) {
    orderedPages_.insert(page);
    OrderAnswerFields(page);
  }
  if (!page || page->objectName() != QLatin1String("PP_Pagxo")) StopPronunciationPractice();
  LessonPageChanged();
  subaParto_->PagxaroShangho();
}

void TLessonWindow::StopPronunciationPractice() {
  if (auto* practice = qobject_cast<TFrame2*>(OwnedComponent(this, QStringLiteral("TFrame21")))) {
    practice->HaltigasPrononcon();
  }
}

void TLessonWindow::OrderAnswerFields(QWidget* page) {
  // The stored layouts list fields in the order they were made, not in the
  // order they are read; the laid-out page says where each one is.
  if (page->layout()) page->layout()->activate();
  QList<QWidget*> fields;
  for (QWidget* component : OwnedComponents(this)) {
    if (component == page || !page->isAncestorOf(component) || ComponentTag(component) <= 0) continue;
    if (qobject_cast<QLineEdit*>(component) || qobject_cast<QPlainTextEdit*>(component) ||
        qobject_cast<QTextEdit*>(component)) {
      fields.append(component);
    }
  }
  const auto top = [page](const QWidget* field) { return field->mapTo(page, QPoint(0, 0)); };
  std::stable_sort(fields.begin(), fields.end(),
                   [&](const QWidget* a, const QWidget* b) { return top(a).y() < top(b).y(); });
  // Fields whose tops are closer than half a field's height share a row,
  // read from left to right.
  QList<QWidget*> ordered;
  for (qsizetype first = 0; first < fields.size();) {
    qsizetype end = first + 1;
    while (end < fields.size() && (top(fields[end]).y() - top(fields[first]).y()) * 2 < fields[first]->height()) ++end;
    QList<QWidget*> row = fields.mid(first, end - first);
    std::stable_sort(row.begin(), row.end(),
                     [&](const QWidget* a, const QWidget* b) { return top(a).x() < top(b).x(); });
    ordered += row;
    first = end;
  }
  fields = ordered;
  for (qsizetype i = 1; i < fields.size(); ++i) QWidget::setTabOrder(fields[i - 1], fields[i]);
}

void TLessonWindow::ShowProgress() {
  const PictureStore& pictures = Figurejo();
  const DrillProgress progress(SettingsFile());
  QSet<const QWidget*> passedPages;
  for (DrillPanel* panel : findChildren<DrillPanel*>()) {
    panel->ShowBest();
    const std::optional<DrillResult> result = progress.Result(panel->ProgressKey());
    if (!result || !result->Passed()) continue;
    for (int i = 0; i < pagxaro_->count(); ++i) {
      if (pagxaro_->widget(i)->isAncestorOf(panel->StartButton())) passedPages.insert(pagxaro_->widget(i));
    }
  }
  for (int i = 0; i < pagxaro_->count(); ++i) {
    QWidget* page = pagxaro_->widget(i);
    const QIcon icon = pictures.TabIcon(page->property("icon").toInt());
    pagxaro_->setTabIcon(i, passedPages.contains(page) ? WithPassedMark(icon) : icon);
  }
}

DrillPanel* TLessonWindow::OwnDrillPanel() {
  DrillPanel::Controls controls{Own<QAbstractButton>("BitBtn1"), Own<QAbstractButton>("BitBtn3"),
                                Own<QLabel>("Placar1"),          Own<QLabel>("Placar2"),
                                Own<QLabel>("Placar3"),          Own<QLabel>("Placar4")};
  return new DrillPanel(this, controls, DrillKind::Own);
}

void TLessonWindow::ButonKlako() { SpeakWordButton(qobject_cast<QAbstractButton*>(sender()), SoundFolder()); }

void TLessonWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  DrillHost::keyPressEvent(event);
}

void TLessonWindow::Edit2Change() { subaParto_->Savu()->setEnabled(true); }

bool TLessonWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == this && event->type() == QEvent::Paint && !complete_ && !completionPosted_) {
    // Posted now, it runs when this first frame has been painted and shown.
    completionPosted_ = true;
    QTimer::singleShot(0, this, &TLessonWindow::CompleteUnlessClosing);
  }
  if (event->type() != QEvent::KeyPress) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  // Only the first delivery counts; an ignored key travels on to the parents.
  QWidget* focus = QApplication::focusWidget();
  if (focus ? widget != focus : widget != this) return false;
  const int key = static_cast<QKeyEvent*>(event)->key();
  // Seen before the focused control, which still receives the key.
  if (key == Qt::Key_PageDown) subaParto_->AntauenClick();
  if (key == Qt::Key_PageUp) subaParto_->MalantauenClick();
  return false;
}

void TLessonWindow::done(int result) {
  if (!Closing()) {
    // Unsaved answers are kept, however the window is closed; when they
    // cannot be, the learner may choose to stay.
    if (subaParto_->Savu()->isEnabled()) {
      if (!SaveBeforeLeaving(pagxaro_)) return;
      subaParto_->Savu()->setEnabled(false);
    }
    BeginClosing();               // every drill's wait ends here
    StopPronunciationPractice();  // so that the recorder is free for the next practice
    StopPlayback();
    if (Mp3()) Mp3()->Stop();
    CurrentSettings().LastaLeciono = entry_.lessonValue;
    CurrentSettings().LastaPagxo = pagxaro_->currentIndex();
  }
  DrillHost::done(result);
}
