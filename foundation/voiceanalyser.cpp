#include "voiceanalyser.h"

#include <QMetaObject>

VoiceAnalyser::VoiceAnalyser(QObject* parent) : QObject(parent) { worker_.setMaxThreadCount(1); }

VoiceAnalyser::~VoiceAnalyser() {
  worker_.clear();
  worker_.waitForDone();
}

void VoiceAnalyser::Analyse(const QString& modelMp3, const QString& recordingWav) {
  const int request = ++request_;
  // Requests that have not begun are overtaken anyway.
  worker_.clear();
  worker_.start([this, modelMp3, recordingWav, request] {
    VoiceComparison comparison = CompareVoices(modelMp3, recordingWav);
    // The answer is posted to this object, which outlives the job (its
    // destructor waits), and is dropped with it if it goes first.
    QMetaObject::invokeMethod(
        this,
        [this, request, comparison = std::move(comparison)] {
          if (request == request_) Q_EMIT Analysed(comparison);
        },
        Qt::QueuedConnection);
  });
}
