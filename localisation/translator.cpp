#include "translator.h"

#include "layoutpaths.h"
#include "messagebox.h"
#include "messages.h"
#include "ownedcomponents.h"
#include "settings.h"
#include "sharedinifile.h"
#include "storedtext.h"
#include "translatablelabels.h"
#include "translatedtext.h"
#include "translationfiles.h"
#include "translationtablewindow.h"
#include "uiloader.h"
#include "windowtranslation.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>

namespace {

TForm19* gTranslator = nullptr;

// Distance of the buttons from the bottom of the dialog, which keeps them
// below the edit box however tall the box becomes.
constexpr int kButtonBottomOffset = 31;

// The frame a label lies on, or null for a label of the window itself.
const QWidget* FrameOf(const QLabel* object) {
  for (const QWidget* parent = object->parentWidget(); parent && !parent->isWindow(); parent = parent->parentWidget()) {
    if (qobject_cast<const TFrame*>(parent)) return parent;
  }
  return nullptr;
}

// Calls the owner's Tradukilo on a double-click of one of its labels.
class TranslatorLabelWiring : public QObject {
 public:
  TranslatorLabelWiring(QWidget* owner, std::function<void(QLabel*)> tradukilo)
      : QObject(owner), tradukilo_(std::move(tradukilo)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonDblClick) {
      if (auto* label = qobject_cast<QLabel*>(watched)) tradukilo_(label);
    }
    return false;
  }

 private:
  std::function<void(QLabel*)> tradukilo_;
};

}  // namespace

QString TranslatorKey(const QLabel* object) {
  const QString name = object->objectName();
  const QWidget* frame = FrameOf(object);
  if (!frame) return name;
  const QString key = FrameLabelKey(name, frame->objectName());
  return key.isEmpty() ? name : key;
}

QString TranslatorSection(const QLabel* object, const QString& windowName) {
  if (!FrameOf(object)) return SectionOfWindow(windowName);
  if (IsLessonFrameLabelKey(TranslatorKey(object))) return SectionOfWindow(object->window()->objectName());
  return GeneralSection;
}

TForm19::TForm19(QWidget* owner) : QDialog(owner) {
  PelanoUiLoader::LoadInto(this, LayoutPath(QStringLiteral("translator.ui")));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(size());
  KeepCaptionsApart("Label1", "Label2");
  KeepCaptionsApart("Label3", "Label4");
  legu_ = findChild<QPlainTextEdit*>(QStringLiteral("Legu"));
  tajpu_ = findChild<QPlainTextEdit*>(QStringLiteral("Tajpu"));
  connect(tajpu_, &QPlainTextEdit::textChanged, this, &TForm19::TajpuChange);
  connect(findChild<QPushButton*>(QStringLiteral("Button1")), &QPushButton::clicked, this, &TForm19::Button1Click);
  connect(findChild<QPushButton*>(QStringLiteral("Button2")), &QPushButton::clicked, this, &TForm19::Button2Click);
  // Every key, those no label shows included.
  connect(findChild<QPushButton*>(QStringLiteral("Button3")), &QPushButton::clicked, this,
          [this] { OpenTranslationTable(this); });
  if (!gTranslator) gTranslator = this;
}

void TForm19::KeepCaptionsApart(const char* captionName, const char* valueName) {
  // With a wide font the caption would run under the value shown after it.
  auto* caption = findChild<QLabel*>(QLatin1String(captionName));
  auto* value = findChild<QLabel*>(QLatin1String(valueName));
  caption->resize(caption->sizeHint().width(), caption->height());
  const int valueX = std::max(value->x(), caption->x() + caption->width() + 2);
  value->move(valueX, value->y());
}

TForm19::~TForm19() {
  if (gTranslator == this) gTranslator = nullptr;
}

TForm19* TForm19::Instance() { return gTranslator; }

void TForm19::Open(QLabel* object, const QString& windowName) {
  if (!object || !TranslationMode() || !CurrentSettings().Tradukilo || isVisible()) return;
  object_ = object;
  windowName_ = windowName;
  exec();
}

void TForm19::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm19::FormShow() {
  if (!object_) return;
  key_ = TranslatorKey(object_);
  section_ = TranslatorSection(object_, windowName_);
  findChild<QLabel*>(QStringLiteral("Label2"))->setText(section_);
  findChild<QLabel*>(QStringLiteral("Label4"))->setText(key_);

  reference_ = std::make_unique<TSharedIniFile>(ReferenceFilePath(section_));
  legu_->setPlainText(ReadReference(*reference_, key_));
  savedCaption_ = object_->text();

  // The edit box takes the label's shape, and the dialog grows or shrinks with it.
  const int labelHeight = object_->height();
  const int boxWidth = object_->wordWrap() ? object_->width() + 12 : 620;
  const int newHeight = labelHeight + height() - tajpu_->height() + 12;
  tajpu_->resize(boxWidth, labelHeight + 12);
  setFixedSize(width(), newHeight);
  for (const char* name : {"Button1", "Button2", "Button3"}) {
    auto* button = findChild<QPushButton*>(QLatin1String(name));
    button->move(button->x(), newHeight - kButtonBottomOffset);
  }
  tajpu_->setFont(object_->font());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }

  filling_ = true;
  tajpu_->setPlainText(savedCaption_);
  filling_ = false;
  tajpu_->setFocus();
  tajpu_->moveCursor(QTextCursor::End);
}

QString TForm19::TypedText() const { return StripCarriageReturns(tajpu_->toPlainText()); }

void TForm19::TajpuChange() {
  if (!filling_ && object_) SetTranslatedText(object_, TypedText());
}

void TForm19::Button1Click() {
  if (!StoreTranslation(section_, key_, TypedText())) {
    ShowMessage(this, QMessageBox::Warning, TranslationNotSavedText(CurrentSettings().Dosiero));
  }
  accept();
}

void TForm19::Button2Click() {
  if (object_) object_->setText(savedCaption_);
  reject();
}

void TForm19::done(int result) {
  reference_.reset();
  QDialog::done(result);
}

void OpenTranslator(QLabel* object, const QString& windowName) {
  if (TForm19* translator = TForm19::Instance()) translator->Open(object, windowName);
}

void WireTranslatorLabels(QWidget* owner, std::function<void(QLabel*)> tradukilo) {
  if (!owner) return;
  if (!tradukilo) tradukilo = [owner](QLabel* label) { OpenTranslator(label, owner->objectName()); };
  auto* wiring = new TranslatorLabelWiring(owner, std::move(tradukilo));
  // A frame's own labels are its fixed ones; the rest are not translated.
  const bool frame = qobject_cast<TFrame*>(owner) != nullptr;
  for (QWidget* component : OwnedComponents(owner)) {
    if (!IsPlainLabel(component)) continue;
    if (frame && FrameLabelKey(component->objectName(), owner->objectName()).isEmpty()) continue;
    component->installEventFilter(wiring);
  }
}
