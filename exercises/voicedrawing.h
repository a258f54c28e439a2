#pragma once

#include "voiceanalysis.h"

#include <QColor>
#include <QRectF>
#include <QString>
#include <QWidget>

class QLabel;
class VoiceAnalyser;

// The model of a pronunciation item drawn above the learner's recording of
// it, on one time scale from the first sound of each: the loudness as a
// filled band, the pitch as a line (voiced parts only, each voice about its
// own middle, so that a low voice compares with a high one), and the model's
// syllables with the stressed ones shaded when they can be found for
// certain (as many as the text has). A cursor shows what plays; a click on
// a drawing asks to play it from there.
class VoiceDrawing : public QWidget {
  Q_OBJECT
 public:
  enum class Lane { Model, Recording };

  explicit VoiceDrawing(QWidget* parent = nullptr);
  ~VoiceDrawing() override;

  // Shows an item: its model at once, and the recording when one is given;
  // both are analysed on a worker thread and drawn when ready.
  void ShowItem(const QString& text, const QString& modelMp3, const QString& recordingWav);
  // The playing position, in milliseconds from the start of that lane's file.
  void SetCursor(Lane lane, qint64 ms);
  void HideCursor();
  // Whether a click asks to play (while the practice waits for the learner).
  void SetClickable(bool clickable);

  // What is drawn: nothing of a lane that is not (yet) analysed.
  const VoiceComparison& Drawn() const { return drawn_; }
  // Whether the model's syllables are drawn.
  bool ShowsSyllables() const;
  QRectF LaneArea(Lane lane) const;
  static QColor LoudnessColour(Lane lane);

 Q_SIGNALS:
  // A click on a drawn lane: play it from `ms` into its file.
  void PlayRequested(VoiceDrawing::Lane lane, qint64 ms);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void TakeAnalysis(const VoiceComparison& comparison);
  const std::optional<VoiceTrace>& TraceOf(Lane lane) const;
  double PixelsPerSecond() const;
  double XOf(Lane lane, double fileSeconds) const;
  void PlaceLabels();
  void PaintLane(QPainter& painter, Lane lane) const;
  void PaintSyllables(QPainter& painter, const VoiceTrace& model) const;

  VoiceAnalyser* analyser_;
  QString text_;
  QString model_;
  QString recording_;
  VoiceComparison drawn_;
  std::optional<Lane> cursorLane_;
  double cursorSeconds_ = 0;
  bool clickable_ = false;
  QLabel* modelLabel_ = nullptr;
  QLabel* recordingLabel_ = nullptr;
  QLabel* silentLabel_ = nullptr;
};
