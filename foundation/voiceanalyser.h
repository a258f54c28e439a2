#pragma once

#include "voiceanalysis.h"

#include <QObject>
#include <QThreadPool>

// Analyses a model and a recording on a worker thread of its own, so that
// the window goes on while the files are read and measured. Only the answer
// to the latest request is told; one that a newer request overtook is dropped.
class VoiceAnalyser : public QObject {
  Q_OBJECT
 public:
  explicit VoiceAnalyser(QObject* parent = nullptr);
  // Waits for an analysis under way (a fraction of a second at most).
  ~VoiceAnalyser() override;

  // Returns at once; Analysed follows on this object's thread.
  void Analyse(const QString& modelMp3, const QString& recordingWav);

 Q_SIGNALS:
  void Analysed(const VoiceComparison& comparison);

 private:
  QThreadPool worker_;
  int request_ = 0;
};
