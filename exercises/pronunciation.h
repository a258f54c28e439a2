#pragma once

#include "drillrun.h"
#include "ownedcomponents.h"
#include "voicedrawing.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class QAbstractButton;
class QGroupBox;
class QLabel;
class QProgressBar;
class QSlider;
class QTemporaryDir;
class VoiceRecorder;

// Pronunciation practice: the program plays a model word or sentence, records
// the learner repeating it, then plays model and recording one after the
// other. Batches of 1, 2 or 4; each item is practised once per run; no score.
class TFrame2 : public TFrame {
  Q_OBJECT
 public:
  explicit TFrame2(QWidget* parent = nullptr);
  ~TFrame2() override;

  void PP_StartuClick();
  void PP_HaltuClick();
  void PP_Mik_ReClick();
  void PP_Aud_ReClick();
  void PP_AntauenClick();
  // Stops a running practice; the hosting window calls it when the page changes or it closes.
  void HaltigasPrononcon();

  struct Entry {
    QString text;
    QString modelSound;  // full path
    int recordingSeconds = 3;
    bool recorded = false;  // this batch saved the learner's recording of it
  };
  const QVector<Entry>& Batch() const { return batch_; }
  // The recording of entry k (1 to 4) of the batch, in a folder of this frame
  // alone (mode 0700, removed with the frame); empty when that folder could
  // not be made.
  QString RecordingPath(int k) const;

 private:
  void NovaFrazo9();
  void RegistrasVocxon();
  bool Stopped() const;
  int BatchSize() const;
  int Remaining() const;
  void SetBatchButtonsEnabled(bool enabled);
  // Stops the practice and tells the learner that nothing was recorded.
  void NothingRecorded();

  QAbstractButton* startu_ = nullptr;
  QAbstractButton* haltu_ = nullptr;
  QAbstractButton* mikRe_ = nullptr;
  QAbstractButton* audRe_ = nullptr;
  QAbstractButton* antauen_ = nullptr;
  QGroupBox* kiomope_ = nullptr;
  QLabel* placar_ = nullptr;
  QLabel* vorto_ = nullptr;
  QLabel* mikrofono_ = nullptr;
  QLabel* orelo_ = nullptr;
  QSlider* prog_ = nullptr;
  std::unique_ptr<VoiceRecorder> recorder_;
  std::unique_ptr<QTemporaryDir> recordings_;

  QStringList items_;
  DrillRun run_;
  QVector<Entry> batch_;

  // The learner's voice beside the model: the drawing of the entry that
  // plays, its cursor, playing from a click, and the input level.
 public:
  VoiceDrawing* Voices() const { return voices_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetUpVoiceDrawing();
  void ShowVoicesOf(int k, bool withRecording);
  void FollowTheModel();
  void ModelTimecode(int hours, int minutes, int seconds, int hundredths);
  void ModelPlayerState(int state);
  // From `fromMs`, up to `untilMs` (-1: to the end).
  bool PlayRecordingWithCursor(int k, qint64 fromMs = 0, qint64 untilMs = -1);
  void PlayVoiceFrom(VoiceDrawing::Lane lane, qint64 ms);

  VoiceDrawing* voices_ = nullptr;
  QProgressBar* nivelo_ = nullptr;
  int shownEntry_ = 0;  // 1 to 4; 0 before the first
  bool followingModel_ = false;
};
