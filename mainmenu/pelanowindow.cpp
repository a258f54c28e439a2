#include "pelanowindow.h"

#include "messagebox.h"
#include "picturestore.h"

#include "cursorfile.h"
#include "drillkeys.h"
#include "drillprogress.h"
#include "failurenotices.h"
#include "greetings.h"
#include "inifile.h"
#include "languagechoice.h"
#include "layoutpaths.h"
#include "lessonbadge.h"
#include "lessoncatalogue.h"
#include "localeabbreviation.h"
#include "messages.h"
#include "mp3player.h"
#include "playeractions.h"
#include "playerhelpers.h"
#include "programpaths.h"
#include "qttranslations.h"
#include "resumerequest.h"
#include "settings.h"
#include "soundserver.h"
#include "storedpictures.h"
#include "storedtext.h"
#include "translationfile.h"
#include "translationpaths.h"
#include "uiloader.h"
#include "verdicts.h"
#include "waiting.h"
#include "windowtranslation.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTime>
#include <QTimer>
#include <QUrl>

#include <array>

namespace {

// The badge beside each lesson button.
constexpr int kBadgeWidth = 22;
constexpr int kBadgeHeight = 18;

constexpr std::array<const char*, 6> kMenuButtons{"KioEstas", "KielUzi", "Konfigurado",
                                                  "Kreditoj", "Eliri",   "KieButono"};

std::array<TPelano::WindowFactory, 14>& LessonFactories() {
  static std::array<TPelano::WindowFactory, 14> factories;
  return factories;
}
TPelano::WindowFactory gConfigurationFactory;
TPelano::WindowFactory gCreditsFactory;

// The busy cursor while a window is built, restored however the building ends.
class BusyCursor {
 public:
  BusyCursor() { QGuiApplication::setOverrideCursor(Qt::BusyCursor); }
  ~BusyCursor() { Restore(); }
  void Restore() {
    if (active_) QGuiApplication::restoreOverrideCursor();
    active_ = false;
  }

 private:
  bool active_ = true;
};

}  // namespace

QUrl WebAddressUrl(const QString& address) {
  // Like the desktop shell, a bare host name is a web address.
  const QUrl url(address.trimmed());
  if (!url.scheme().isEmpty()) return url;
  return QUrl(QStringLiteral("https://") + address.trimmed());
}

int LessonNumberOfButton(const QString& buttonName) {
  const LessonEntry* entry = LessonOfButton(buttonName);
  return entry ? entry->lessonValue : 0;
}

QString LessonButtonOfNumber(int lessonNumber) {
  const LessonEntry* entry = LessonOfValue(lessonNumber);
  return entry ? QLatin1String(entry->menuButton) : QString();
}

void TPelano::SetLessonWindowFactory(int lessonNumber, WindowFactory factory) {
  if (lessonNumber >= 1 && lessonNumber <= 13) LessonFactories()[lessonNumber] = std::move(factory);
}
void TPelano::SetConfigurationWindowFactory(WindowFactory factory) { gConfigurationFactory = std::move(factory); }
void TPelano::SetCreditsWindowFactory(WindowFactory factory) { gCreditsFactory = std::move(factory); }

TPelano::TPelano(QWidget* parent) : QWidget(parent) {
  // Set on a window already full of widgets, the flags would make every one
  // of them take its style again.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  PelanoUiLoader::LoadInto(this, LayoutPath(QStringLiteral("pelano.ui")));
  setFixedSize(630, 444);
  FormCreate();
  ConnectButtons();
  qApp->installEventFilter(this);
}

TPelano::~TPelano() {
  SetMp3(nullptr);
  mp3_.reset();
  CloseSettingsFile();
  CloseTranslationFile();
}

QPushButton* TPelano::Button(const char* name) const { return findChild<QPushButton*>(QLatin1String(name)); }

void TPelano::FormCreate() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    const int top = area.height() > 480 ? (area.height() - height()) / 2 : 0;
    move(area.left() + (area.width() - width()) / 2, area.top() + top);
  }
  if (ProgramFolder().isEmpty()) SetProgramFolder(QCoreApplication::applicationDirPath());

  LoadCustomCursor(20, DataPath(QStringLiteral("figuroj\\akuzativ.cur")));
  LoadCustomCursor(21, DataPath(QStringLiteral("figuroj\\sono.cur")));

  ApplyStoredPictures(this);
  const QIcon lessonPicture = Button("Lec01")->icon();
  for (const LessonEntry& lesson : LessonCatalogue()) {
    if (lesson.lessonValue == 13) continue;
    // At the picture's own size: shrunk, the book looks greyed out.
    Button(lesson.menuButton)->setIcon(lessonPicture);
    Button(lesson.menuButton)->setIconSize(Button("Lec01")->iconSize());
  }
  for (const LessonEntry& lesson : LessonCatalogue()) {
    const QRect button = Button(lesson.menuButton)->geometry();
    auto* badge = new LessonBadge(this);
    badge->setObjectName(QLatin1String(lesson.menuButton) + QStringLiteral("Insigno"));
    badge->setGeometry(button.right() + 3, button.center().y() - kBadgeHeight / 2, kBadgeWidth, kBadgeHeight);
  }

  mp3_ = std::make_unique<Mp3Player>();
  mp3_->setObjectName(QStringLiteral("mp3"));
  SetMp3(mp3_.get());
  mp3_->SetPlayerMode(5);
  mp3_->SetCodecEqualizer();
  connect(mp3_.get(), &Mp3Player::NotifyPlayerState, this, &TPelano::mp3NotifyPlayerState);
  connect(mp3_.get(), &Mp3Player::NotifyInputTimecode, this, &TPelano::mp3NotifyInputTimecode);
  LastPraise() = 0;

  // Until the language is known, a failure is told in Portuguese.
  SetBuiltInMessages();
  OpenSettingsFile();
  anotherCopy_ = !LockSettingsFile();

  FileListBox1_ = TranslationFileNames();

  LoadSettingsAndMessages();
}

void TPelano::KiuLingvo() {
  // The copy already running asks for the language; this one only says it is there.
  if (anotherCopy_) return;
  if (!SettingsFile()->ReadString(SettingsKeys::General, SettingsKeys::Lingvo, QString()).isEmpty()) return;
  TForm17 choice(FileListBox1_, LanguageAbbreviation(QLocale::system()), this);
  choice.exec();
}

void TPelano::LoadSettingsAndMessages() {
  KiuLingvo();
  ReadSettings();
  Settings& settings = CurrentSettings();

  const QStringList families = QFontDatabase::families();
  const bool installed = std::any_of(families.begin(), families.end(), [&settings](const QString& family) {
    return family.compare(settings.Tiparo, Qt::CaseInsensitive) == 0;
  });
  // A font this machine lacks is drawn in the program's own.
  if (!installed) settings.Tiparo = QApplication::font().family();

  if (settings.Lingvo != Portuguese) {
    OpenTranslationFile(TranslationFilePath(settings.Dosiero));
    ReadMessagesFromTranslation();
    SpeakQtInCourseLanguage(ReadCaption("Traduko", "LingvoID"));
  } else {
    CloseTranslationFile();
    SetBuiltInMessages();
    SpeakQtInCourseLanguage(QStringLiteral("pt_BR"));
  }

  const MenuCaptions& captions = MenuTexts();
  const std::array<const QString*, 6> texts{&captions.KioEstas, &captions.KielUzi, &captions.Konfigurado,
                                            &captions.Kreditoj, &captions.Eliri,   &captions.KieButono};
  for (std::size_t i = 0; i < kMenuButtons.size(); ++i) {
    QPushButton* button = Button(kMenuButtons[i]);
    button->setText(*texts[i]);
    QFont font = button->font();
    font.setFamily(settings.Tiparo);
    button->setFont(font);
  }
  Button("Ligilo")->setToolTip(Messages().smLigilo);
  ShowProgress();
}

void TPelano::ShowProgress() {
  // Every badge from one reading of the file.
  std::optional<TIniFile> settings;
  if (SettingsFile()) settings = SettingsFile()->Snapshot();
  const DrillProgress progress(settings ? &*settings : nullptr);
  for (const LessonEntry& lesson : LessonCatalogue()) {
    auto* badge = findChild<LessonBadge*>(QLatin1String(lesson.menuButton) + QStringLiteral("Insigno"));
    if (lesson.lessonValue == 13) {
      badge->ShowExamSent(progress.ExamSent());
      continue;
    }
    const QStringList drills = ScoredDrillKeys(lesson.drills);
    badge->ShowDrills(progress.PassedCount(drills), int(drills.size()));
  }
}

void TPelano::ConnectButtons() {
  for (const LessonEntry& lesson : LessonCatalogue()) {
    const int number = lesson.lessonValue;
    connect(Button(lesson.menuButton), &QPushButton::clicked, this, [this, number] { OpenLesson(number); });
  }
  connect(Button("KieButono"), &QPushButton::clicked, this, &TPelano::KieButonoClick);
  connect(Button("KioEstas"), &QPushButton::clicked, this,
          [this] { OpenHelpDocument(QStringLiteral("kioestas.rtf"), "KioDosiero", QStringLiteral("Kio_ang.rtf")); });
  connect(Button("KielUzi"), &QPushButton::clicked, this,
          [this] { OpenHelpDocument(QStringLiteral("kieluzi.rtf"), "KielDosiero", QStringLiteral("Kiel_ang.rtf")); });
  connect(Button("Konfigurado"), &QPushButton::clicked, this, [this] { OpenModalWindow(gConfigurationFactory); });
  connect(Button("Kreditoj"), &QPushButton::clicked, this, [this] { OpenModalWindow(gCreditsFactory); });
  connect(Button("Eliri"), &QPushButton::clicked, this, &QWidget::close);
  connect(Button("Ligilo"), &QPushButton::clicked, this,
          [this] { OpenLink(this, WebAddressUrl(Button("Ligilo")->text())); });
}

void TPelano::OpenModalWindow(const WindowFactory& factory, bool stopSound) {
  if (!factory) return;
  BusyCursor busy;
  if (stopSound) StopAll();
  std::unique_ptr<QDialog> window = factory(this);
  busy.Restore();
  if (!window) return;
  window->exec();
  window.release()->deleteLater();
  // A lesson's drills, an exam sent or the progress erased.
  ShowProgress();
}

void TPelano::OpenLesson(int lessonNumber) { OpenModalWindow(LessonFactories()[lessonNumber], true); }

void TPelano::KieButonoClick() {
  const int lesson = CurrentSettings().LastaLeciono;
  if (lesson < 1 || lesson > 13) return;
  ResumeRequested() = true;
  Button(LessonButtonOfNumber(lesson).toLatin1().constData())->click();
  ResumeRequested() = false;
}

QString HelpDocumentPath(const QString& name) {
  // A translation is data: it may name a document of the translations'
  // folder, never a path out of it nor a file the desktop would run.
  static const QStringList documents{QStringLiteral("rtf"),  QStringLiteral("txt"), QStringLiteral("htm"),
                                     QStringLiteral("html"), QStringLiteral("pdf"), QStringLiteral("odt")};
  if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) return QString();
  const QFileInfo file(DataPath(QStringLiteral("tradukoj\\") + name));
  const QString folder = QFileInfo(DataPath(QStringLiteral("tradukoj"))).canonicalFilePath();
  if (!file.isFile() || folder.isEmpty() || QFileInfo(file.canonicalFilePath()).path() != folder) return QString();
  if (!documents.contains(file.suffix().toLower())) return QString();
  return file.canonicalFilePath();
}

void TPelano::OpenHelpDocument(const QString& builtInFile, const QByteArray& translationKey,
                               const QString& defaultFile) {
  QStringList candidates;
  if (CurrentSettings().Lingvo != Portuguese && TranslationFile()) {
    candidates.append(
        DecodeSettingsText(TranslationFile()->ReadString("Traduko", translationKey, defaultFile.toUtf8())));
    candidates.append(defaultFile);
  }
  candidates.append(builtInFile);
  for (const QString& name : candidates) {
    const QString path = HelpDocumentPath(name);
    if (!path.isEmpty()) {
      OpenDocument(this, path);
      return;
    }
  }
  TellDocumentNotOpened(this, DataPath(QStringLiteral("tradukoj\\") + builtInFile));
}

void TPelano::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TPelano::FormShow() {
  ResumeRequested() = false;
  SoundsEnabled() = true;
  greetingPending_ = true;  // played once the menu has painted, so that it never delays the menu
}

void TPelano::PlayGreeting() {
  const QString greeting = ChooseGreeting(QTime::currentTime().hour());
  if (greeting.isEmpty()) return;
  mp3_->InputOpen(DataPath(greeting));
  Synchronise();
  mp3_->Play();
}

void TPelano::PlayFarewell() {
  const QString farewell = ChooseFarewell();
  if (farewell.isEmpty()) return;
  mp3_->InputOpen(DataPath(farewell));
  Synchronise();
  mp3_->Play();
  Synchronise();  // playing is known before the program waits for the end
}

void TPelano::WaitForFarewell() {
  // Without a sound server nothing is heard, so nothing is waited for.
  if (!SoundServer::Use([](pa_context*) {})) return;
  WaitUntil([this] { return mp3_->Idle(); }, 5.0);
}

void TPelano::mp3NotifyPlayerState(int state) {
  if (state != Mp3Player::EndOfStream) return;
  mp3_->ClearStreamDuration();
  // The window the learner works in is the modal one, even while another
  // program or a message box over it has the focus.
  QWidget* window = QApplication::activeModalWidget();
  RunEndOfStreamAction(window ? window : QApplication::activeWindow());
  QCoreApplication::processEvents();
}

void TPelano::mp3NotifyInputTimecode(int hours, int minutes, int seconds, int hundredths) {
  // Only the song of the second lesson, between 140 and 150 seconds long, follows the position.
  const int duration = mp3_->StreamDuration();
  if (duration > 140 && duration < 150) ForwardTimecode(hours, minutes, seconds, hundredths);
}

void TPelano::closeEvent(QCloseEvent* event) {
  FormCloseQuery();
  event->accept();
}

void TPelano::FormCloseQuery() {
  using namespace SettingsKeys;
  TIniFile* file = SettingsFile();
  if (!file) return;
  // A second copy of the course writes nothing: the first one owns the file.
  if (!anotherCopy_ && !file->WriteAll({{General, LastaLeciono, QByteArray::number(CurrentSettings().LastaLeciono)},
                                        {General, LastaPagxo, QByteArray::number(CurrentSettings().LastaPagxo)}})) {
    TellSettingsNotSaved(this);
  }
  PlayFarewell();
}

bool TPelano::eventFilter(QObject* watched, QEvent* event) {
  if (watched == this && event->type() == QEvent::Paint && greetingPending_) {
    greetingPending_ = false;
    QTimer::singleShot(0, this, &TPelano::PlayGreeting);
    // The picture store and the lessons' heading strips are made while the
    // learner looks at the menu, so that the first lesson does not wait for
    // them: reading the first strip also has Qt look through every image
    // plugin installed, and Qt keeps the strips it read for the lessons'
    // style sheets.
    QTimer::singleShot(0, this, [] {
      Figurejo();
      for (const LessonEntry& lesson : LessonCatalogue()) {
        const QString strip = HeadingStripPicture(lesson.colour);
        if (strip.isEmpty()) continue;
        [[maybe_unused]] const QPixmap read(DataPath(strip));
      }
    });
  }
  if (event->type() != QEvent::KeyRelease) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  // Taken at its first delivery, so it does not travel on to the window.
  if (widget != QApplication::focusWidget() && widget != this) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_T || !(key->modifiers() & Qt::ControlModifier) || key->isAutoRepeat()) return false;
  ToggleTranslator();
  return true;
}

void TPelano::ToggleTranslator() {
  using namespace SettingsKeys;
  TIniFile* file = SettingsFile();
  const bool wasOn = file->ReadBool(General, Tradukilo, false);
  // The switch holds only once stored: a failed write changes nothing.
  if (!file->WriteBool(General, Tradukilo, !wasOn)) {
    TellSettingsNotSaved(this);
    return;
  }
  CurrentSettings().Tradukilo = !wasOn;
  const QString text =
      wasOn ? QStringLiteral("La Tradukilo malaktivighis.") : QStringLiteral("La Tradukilo aktivighis.");
  ShowMessage(this, QMessageBox::Information, text);
}
