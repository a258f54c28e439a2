#include "pronunciation.h"

#include "coursesounds.h"
#include "drillhost.h"
#include "exercisedata.h"
#include "failurenotices.h"
#include "layoutpaths.h"
#include "messagebox.h"
#include "messages.h"
#include "mp3player.h"
#include "playerhelpers.h"
#include "programpaths.h"
#include "storedpictures.h"
#include "translator.h"
#include "uiloader.h"
#include "voicerecorder.h"
#include "waiting.h"
#include "wavplayer.h"
#include "wordgame.h"

#include <QEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {
constexpr int kPlaybackAttempts = 21;
}

TFrame2::TFrame2(QWidget* parent) : TFrame(parent), recorder_(std::make_unique<VoiceRecorder>()) {
  PelanoUiLoader::LoadInto(this, LayoutPath(QStringLiteral("pronunciation.ui")));
  SetUpVoiceDrawing();
  WireTranslatorLabels(this);
  ApplyStoredPictures(this);
  startu_ = findChild<QAbstractButton*>(QStringLiteral("PP_Startu"));
  haltu_ = findChild<QAbstractButton*>(QStringLiteral("PP_Haltu"));
  mikRe_ = findChild<QAbstractButton*>(QStringLiteral("PP_Mik_Re"));
  audRe_ = findChild<QAbstractButton*>(QStringLiteral("PP_Aud_Re"));
  antauen_ = findChild<QAbstractButton*>(QStringLiteral("PP_Antauen"));
  kiomope_ = findChild<QGroupBox*>(QStringLiteral("PP_Kiomope"));
  placar_ = findChild<QLabel*>(QStringLiteral("PP_Placar"));
  vorto_ = findChild<QLabel*>(QStringLiteral("PP_Vorto"));
  mikrofono_ = findChild<QLabel*>(QStringLiteral("PP_Mikrofono"));
  orelo_ = findChild<QLabel*>(QStringLiteral("PP_Orelo"));
  prog_ = findChild<QSlider*>(QStringLiteral("PP_Prog"));
  connect(startu_, &QAbstractButton::clicked, this, &TFrame2::PP_StartuClick);
  connect(haltu_, &QAbstractButton::clicked, this, &TFrame2::PP_HaltuClick);
  connect(mikRe_, &QAbstractButton::clicked, this, &TFrame2::PP_Mik_ReClick);
  connect(audRe_, &QAbstractButton::clicked, this, &TFrame2::PP_Aud_ReClick);
  connect(antauen_, &QAbstractButton::clicked, this, &TFrame2::PP_AntauenClick);
}

TFrame2::~TFrame2() { StopWavPlayback(); }

QString TFrame2::RecordingPath(int k) const {
  if (!recordings_ || !recordings_->isValid()) return QString();
  return recordings_->filePath(QStringLiteral("tempa%1.wav").arg(k));
}

void TFrame2::NothingRecorded() {
  PP_HaltuClick();
  ShowMessage(window(), QMessageBox::Information, Messages().smNeRegistris);
}

bool TFrame2::Stopped() const {
  const DrillHost* host = HostOf(this);
  return !haltu_->isEnabled() || !host || host->Closing();
}

int TFrame2::BatchSize() const {
  for (int size : {4, 2}) {
    const auto* choice = findChild<QRadioButton*>(QStringLiteral("PP_Kiomope%1").arg(size));
    if (choice && choice->isChecked()) return size;
  }
  return 1;
}

int TFrame2::Remaining() const { return run_.Remaining(); }

void TFrame2::SetBatchButtonsEnabled(bool enabled) {
  mikRe_->setEnabled(enabled);
  audRe_->setEnabled(enabled);
  antauen_->setEnabled(enabled);
  kiomope_->setEnabled(enabled);
}

void TFrame2::PP_StartuClick() {
  if (PresentSoundFolder(this).isEmpty()) {
    ShowNoSoundMessage(window());
    return;
  }
  const QString code = QLatin1String(HostOf(this)->Codes().pronunciation);
  items_.clear();
  const int count = LoadExerciseItems(items_, code, QStringLiteral("D"));
  if (count == 0) {
    TellExerciseDataMissing(window(), code);
    return;
  }
  startu_->setEnabled(false);
  haltu_->setEnabled(true);
  run_.Start(count);
  placar_->setText(QString::number(count));
  NovaFrazo9();
}

void TFrame2::NovaFrazo9() {
  if (Stopped()) return;
  kiomope_->setEnabled(false);
  mikrofono_->hide();
  const int n = qMin(BatchSize(), Remaining());
  const DrillHost* host = HostOf(this);
  const QString folder = host ? host->SoundFolder() : QString();
  batch_.clear();
  for (int k = 0; k < n; ++k) {
    const int item = run_.Draw();
    if (item < 0) break;
    run_.Right();  // practised once per run
    batch_.append({ButtonCaptionOrText(window(), items_[item]), DataPath(DrillItemRecording(items_[item], folder)), 3});
  }
  QPointer<TFrame2> self = this;
  RegistrasVocxon();
  if (self && !Stopped()) placar_->setText(QString::number(Remaining()));
}

void TFrame2::RegistrasVocxon() {
  if (Stopped()) return;
  QPointer<TFrame2> self = this;
  SetBatchButtonsEnabled(false);
  for (int k = 1; k <= batch_.size(); ++k) {
    if (!self || Stopped()) return;
    Entry& entry = batch_[k - 1];
    vorto_->setText(entry.text);
    ShowVoicesOf(k, false);
    mikrofono_->hide();
    orelo_->show();
    Mp3Player* player = Mp3();
    if (player) player->InputOpen(entry.modelSound);
    Synchronise();
    const int seconds = Mp3() ? Mp3()->StreamDuration() : 0;
    entry.recordingSeconds = seconds + 3;
    if (Mp3()) Mp3()->Play();
    WaitUntil([&] { return !self || Stopped(); }, seconds);
    if (!self || Stopped()) return;
    if (Mp3()) Mp3()->Stop();
    Synchronise();
    if (!self || Stopped()) return;
    orelo_->hide();
    mikrofono_->show();
    if (Mp3() && !Mp3()->Idle()) WaitUntil([&] { return !self || Stopped(); }, 1.0);
    if (!self || Stopped()) return;

    // The recording of the batch before is never played as this one.
    entry.recorded = false;
    if (!recordings_) recordings_ = std::make_unique<QTemporaryDir>();
    QFile::remove(RecordingPath(k));
    const int lengthMs = entry.recordingSeconds * 1000;
    if (!recorder_->Record(lengthMs)) {
      NothingRecorded();
      return;
    }
    prog_->setValue(0);
    prog_->show();
    WaitUntil(
        [&] {
          if (!self || Stopped() || !recorder_->IsRecording()) return true;
          prog_->setValue(static_cast<int>(std::nearbyint(100.0 * double(recorder_->PositionMs()) / lengthMs)));
          return false;
        },
        entry.recordingSeconds + 5.0);
    if (!self) return;
    mikrofono_->hide();
    prog_->hide();
    prog_->setValue(0);
    if (Stopped()) {
      recorder_->Stop();
      recorder_->Close();
      return;
    }
    const QString path = RecordingPath(k);
    entry.recorded = !path.isEmpty() && recorder_->SaveWav(path);
    recorder_->Close();
    if (!entry.recorded) {
      NothingRecorded();
      return;
    }
  }
  PP_Aud_ReClick();
}

void TFrame2::PP_Aud_ReClick() {
  if (Stopped()) return;
  QPointer<TFrame2> self = this;
  orelo_->show();
  SetBatchButtonsEnabled(false);
  for (int k = 1; k <= batch_.size(); ++k) {
    if (!self || Stopped()) return;
    const Entry entry = batch_[k - 1];
    vorto_->setText(entry.text);
    ShowVoicesOf(k, true);
    PlayToTheEnd(entry.modelSound);
    for (int attempt = 0; entry.recorded && attempt < kPlaybackAttempts; ++attempt) {
      if (!self || Stopped()) return;
      if (Mp3() && !Mp3()->Idle()) WaitUntil([&] { return !self || Stopped(); }, 1.0);
      if (PlayRecordingWithCursor(k)) break;
    }
  }
  if (!self || Stopped()) return;
  orelo_->hide();
  SetBatchButtonsEnabled(true);
  vorto_->clear();
}

void TFrame2::PP_Mik_ReClick() { RegistrasVocxon(); }

void TFrame2::PP_AntauenClick() {
  if (Remaining() > 0) {
    NovaFrazo9();
  } else {
    PP_HaltuClick();
  }
}

void TFrame2::PP_HaltuClick() {
  if (Mp3()) {
    Mp3()->Stop();
    Mp3()->InputClose();
  }
  StopWavPlayback();
  recorder_->Stop();
  recorder_->Close();
  kiomope_->setEnabled(true);
  mikrofono_->show();
  prog_->hide();
  orelo_->hide();
  vorto_->clear();
  mikRe_->setEnabled(false);
  audRe_->setEnabled(false);
  antauen_->setEnabled(false);
  startu_->setEnabled(true);
  haltu_->setEnabled(false);
  placar_->setText(QStringLiteral("00"));
}

void TFrame2::HaltigasPrononcon() {
  if (haltu_->isEnabled()) PP_HaltuClick();
}

// ---- The learner's voice beside the model ----------------------------------
// The drawing shows the model of the entry that plays and, once recorded,
// the learner's recording beneath it; a cursor follows whichever plays. While
// the batch waits for the learner, a click on a drawing plays it from there.
// The input level beside the microphone shows while recording.

namespace {
// Position reports of the player every 20 ms, for a smooth cursor.
constexpr int kCursorHundredths = 2;
constexpr double kAfterVoiceSeconds = 0.3;
}  // namespace

void TFrame2::SetUpVoiceDrawing() {
  auto* area = findChild<QWidget*>(QStringLiteral("PP_Desegno"));
  voices_ = new VoiceDrawing(area);
  auto* layout = new QVBoxLayout(area);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(voices_);
  connect(voices_, &VoiceDrawing::PlayRequested, this, &TFrame2::PlayVoiceFrom);

  nivelo_ = findChild<QProgressBar*>(QStringLiteral("PP_Nivelo"));
  connect(recorder_.get(), &VoiceRecorder::SoundLevel, nivelo_, [this](float decibels) {
    // The bar spans the 60 dB below full scale; a voice fills most of it.
    nivelo_->setValue(qBound(0, static_cast<int>(std::lround((decibels + 60.0F) * 100.0F / 60.0F)), 100));
  });
  // The level shows with the recording's progress, the drawing takes clicks
  // while the batch buttons do.
  findChild<QSlider*>(QStringLiteral("PP_Prog"))->installEventFilter(this);
  findChild<QAbstractButton*>(QStringLiteral("PP_Aud_Re"))->installEventFilter(this);
  // Whatever a button starts, a recording played from a click stops first.
  for (const char* name : {"PP_Startu", "PP_Haltu", "PP_Mik_Re", "PP_Aud_Re", "PP_Antauen"}) {
    connect(findChild<QAbstractButton*>(QLatin1String(name)), &QAbstractButton::pressed, this, &StopWavPlayback);
  }
}

bool TFrame2::eventFilter(QObject* watched, QEvent* event) {
  if (watched->objectName() == QLatin1String("PP_Prog")) {
    if (event->type() == QEvent::Show) {
      nivelo_->setValue(0);
      nivelo_->show();
    } else if (event->type() == QEvent::Hide) {
      nivelo_->hide();
    }
  } else if (event->type() == QEvent::EnabledChange) {
    voices_->SetClickable(static_cast<QWidget*>(watched)->isEnabled());
  }
  return TFrame::eventFilter(watched, event);
}

void TFrame2::ShowVoicesOf(int k, bool withRecording) {
  const Entry& entry = batch_[k - 1];
  shownEntry_ = k;
  voices_->ShowItem(entry.text, entry.modelSound, withRecording && entry.recorded ? RecordingPath(k) : QString());
  FollowTheModel();
}

void TFrame2::FollowTheModel() {
  followingModel_ = true;
  Mp3Player* player = Mp3();
  if (!player) return;
  player->SetInputTimecodeGranularity(kCursorHundredths);
  connect(player, &Mp3Player::NotifyInputTimecode, this, &TFrame2::ModelTimecode, Qt::UniqueConnection);
  connect(player, &Mp3Player::NotifyPlayerState, this, &TFrame2::ModelPlayerState, Qt::UniqueConnection);
}

void TFrame2::ModelPlayerState(int state) {
  if (followingModel_ && state != Mp3Player::Playing) voices_->HideCursor();
}

void TFrame2::ModelTimecode(int hours, int minutes, int seconds, int hundredths) {
  if (!followingModel_ || Stopped()) return;
  voices_->SetCursor(VoiceDrawing::Lane::Model, ((hours * 3600 + minutes * 60 + seconds) * 100 + hundredths) * 10);
}

bool TFrame2::PlayRecordingWithCursor(int k, qint64 fromMs, qint64 untilMs) {
  followingModel_ = false;
  QPointer<VoiceDrawing> voices = voices_;
  const bool played = PlayWavToEnd(RecordingPath(k), fromMs, [voices, untilMs](qint64 ms) {
    if (voices) voices->SetCursor(VoiceDrawing::Lane::Recording, ms);
    if (untilMs >= 0 && ms > untilMs) StopWavPlayback();
  });
  if (voices) voices->HideCursor();
  return played;
}

void TFrame2::PlayVoiceFrom(VoiceDrawing::Lane lane, qint64 ms) {
  if (Stopped() || !audRe_->isEnabled() || shownEntry_ < 1 || shownEntry_ > batch_.size()) return;
  StopWavPlayback();
  const Entry& entry = batch_[shownEntry_ - 1];
  if (lane == VoiceDrawing::Lane::Model) {
    FollowTheModel();
    if (!Mp3()) return;
    Mp3()->InputOpen(entry.modelSound);
    Mp3()->PlayFrom(ms);
    return;
  }
  const std::optional<VoiceTrace>& recording = voices_->Drawn().recording;
  if (!entry.recorded || !recording) return;
  if (Mp3()) Mp3()->Stop();
  // The silence after the learner's voice is not waited through.
  PlayRecordingWithCursor(shownEntry_, ms, std::llround((recording->EndSeconds() + kAfterVoiceSeconds) * 1000));
}
