#include "voicedrawing.h"

#include "layoutpaths.h"
#include "settings.h"
#include "uiloader.h"
#include "voiceanalyser.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kHop = VoiceTrace::kHopSeconds;
constexpr double kLaneGap = 4;
constexpr double kMargin = 6;
// The quietest loudness drawn lies this far below the loudest of its lane.
constexpr double kLoudnessRangeDb = 40;
// Half a lane's height stands for this many semitones of pitch.
constexpr double kSemitoneRange = 9;
// A drawing is never narrower in time than this, so that a short word is not stretched.
constexpr double kShortestSeconds = 0.5;

const QColor kLaneBackground(0xf2, 0xf5, 0xf7);
const QColor kLaneBorder(0xdd, 0xe3, 0xe7);
const QColor kStressShade(0xff, 0xef, 0xb0);
const QColor kSyllableLine(0x8a, 0x9a, 0xa5);
const QColor kCursor(0xd0, 0x34, 0x2c);
const QColor kItemText(0x55, 0x66, 0x70);

QColor PitchColour(VoiceDrawing::Lane lane) {
  return lane == VoiceDrawing::Lane::Model ? QColor(0x1b, 0x6b, 0x3a) : QColor(0x1f, 0x4e, 0x9a);
}

double MedianPitch(const std::vector<float>& pitch) {
  std::vector<float> voiced;
  std::copy_if(pitch.begin(), pitch.end(), std::back_inserter(voiced), [](float p) { return p > 0; });
  if (voiced.empty()) return 0;
  std::nth_element(voiced.begin(), voiced.begin() + std::ptrdiff_t(voiced.size() / 2), voiced.end());
  return voiced[voiced.size() / 2];
}

}  // namespace

VoiceDrawing::VoiceDrawing(QWidget* parent) : QWidget(parent), analyser_(new VoiceAnalyser(this)) {
  PelanoUiLoader::LoadInto(this, LayoutPath(QStringLiteral("voicedrawing.ui")));
  modelLabel_ = findChild<QLabel*>(QStringLiteral("PP_Modelo"));
  recordingLabel_ = findChild<QLabel*>(QStringLiteral("PP_Vocxo"));
  silentLabel_ = findChild<QLabel*>(QStringLiteral("PP_Silento"));
  for (QLabel* label : {modelLabel_, recordingLabel_, silentLabel_}) {
    // A click on a caption is a click on its drawing, unless a translator
    // double-clicks it to translate it.
    label->setAttribute(Qt::WA_TransparentForMouseEvents, !CurrentSettings().Tradukilo);
  }
  connect(analyser_, &VoiceAnalyser::Analysed, this, &VoiceDrawing::TakeAnalysis);
}

VoiceDrawing::~VoiceDrawing() = default;

void VoiceDrawing::ShowItem(const QString& text, const QString& modelMp3, const QString& recordingWav) {
  // What stays the same stays drawn until the new analysis comes.
  if (modelMp3 != model_) drawn_.model.reset();
  if (recordingWav.isEmpty() || recordingWav != recording_) drawn_.recording.reset();
  text_ = text;
  model_ = modelMp3;
  recording_ = recordingWav;
  HideCursor();
  silentLabel_->hide();
  analyser_->Analyse(modelMp3, recordingWav);
  update();
}

void VoiceDrawing::TakeAnalysis(const VoiceComparison& comparison) {
  drawn_ = comparison;
  if (recording_.isEmpty()) drawn_.recording.reset();
  silentLabel_->setVisible(drawn_.recording && drawn_.recording->IsSilent());
  SetClickable(clickable_);
  update();
}

void VoiceDrawing::SetCursor(Lane lane, qint64 ms) {
  cursorLane_ = lane;
  cursorSeconds_ = double(ms) / 1000.0;
  update();
}

void VoiceDrawing::HideCursor() {
  if (!cursorLane_) return;
  cursorLane_.reset();
  update();
}

void VoiceDrawing::SetClickable(bool clickable) {
  clickable_ = clickable;
  const bool anything =
      (drawn_.model && !drawn_.model->IsSilent()) || (drawn_.recording && !drawn_.recording->IsSilent());
  setCursor(clickable_ && anything ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

const std::optional<VoiceTrace>& VoiceDrawing::TraceOf(Lane lane) const {
  return lane == Lane::Model ? drawn_.model : drawn_.recording;
}

QRectF VoiceDrawing::LaneArea(Lane lane) const {
  const double height = (this->height() - kLaneGap) / 2;
  return QRectF(0, lane == Lane::Model ? 0 : height + kLaneGap, width(), height);
}

QColor VoiceDrawing::LoudnessColour(Lane lane) {
  return lane == Lane::Model ? QColor(0x9f, 0xd6, 0xb2) : QColor(0xa6, 0xc6, 0xee);
}

double VoiceDrawing::PixelsPerSecond() const {
  double seconds = kShortestSeconds;
  for (const auto* trace : {&drawn_.model, &drawn_.recording}) {
    if (*trace) seconds = std::max(seconds, (*trace)->Seconds());
  }
  return (width() - 2 * kMargin) / seconds;
}

double VoiceDrawing::XOf(Lane lane, double fileSeconds) const {
  const std::optional<VoiceTrace>& trace = TraceOf(lane);
  const double start = trace ? trace->startSeconds : 0.0;
  return kMargin + (fileSeconds - start) * PixelsPerSecond();
}

bool VoiceDrawing::ShowsSyllables() const {
  if (!drawn_.model || drawn_.model->IsSilent()) return false;
  const std::size_t syllables = drawn_.model->syllableBoundaries.size() + 1;
  return syllables > 1 && syllables == EsperantoSyllableStress(text_).size();
}

void VoiceDrawing::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceLabels();
}

void VoiceDrawing::PlaceLabels() {
  const QRectF model = LaneArea(Lane::Model);
  const QRectF recording = LaneArea(Lane::Recording);
  modelLabel_->move(int(model.left() + kMargin), int(model.top() + 2));
  recordingLabel_->move(int(recording.left() + kMargin), int(recording.top() + 2));
  silentLabel_->setGeometry(recording.adjusted(40, 16, -40, -2).toRect());
}

void VoiceDrawing::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  for (Lane lane : {Lane::Model, Lane::Recording}) {
    const QRectF area = LaneArea(lane).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(kLaneBorder);
    painter.setBrush(kLaneBackground);
    painter.drawRoundedRect(area, 4, 4);
    PaintLane(painter, lane);
  }
  if (!text_.isEmpty()) {
    QFont font = painter.font();
    font.setPointSize(8);
    painter.setFont(font);
    painter.setPen(kItemText);
    painter.drawText(LaneArea(Lane::Model).adjusted(0, 2, -kMargin, 0), Qt::AlignRight | Qt::AlignTop, text_);
  }
  // Over the drawn sound only: in the silence before and after it there is nothing to follow.
  if (!cursorLane_) return;
  const std::optional<VoiceTrace>& playing = TraceOf(*cursorLane_);
  if (playing && cursorSeconds_ >= playing->startSeconds && cursorSeconds_ <= playing->EndSeconds()) {
    const QRectF area = LaneArea(*cursorLane_);
    const double x = XOf(*cursorLane_, cursorSeconds_);
    painter.setPen(QPen(kCursor, 2));
    painter.drawLine(QPointF(x, area.top() + 2), QPointF(x, area.bottom() - 2));
  }
}

void VoiceDrawing::PaintLane(QPainter& painter, Lane lane) const {
  const std::optional<VoiceTrace>& trace = TraceOf(lane);
  if (!trace || trace->IsSilent()) return;
  const QRectF area = LaneArea(lane);
  const double middle = area.center().y();
  const double reach = area.height() / 2 - 3;
  const double pixels = PixelsPerSecond();
  if (lane == Lane::Model && ShowsSyllables()) PaintSyllables(painter, *trace);

  // Loudness: a band about the middle of the lane, as wide as the sound is loud.
  const float loudest = *std::max_element(trace->loudnessDb.begin(), trace->loudnessDb.end());
  const std::size_t hops = trace->loudnessDb.size();
  QPolygonF band;
  for (std::size_t h = 0; h < hops; ++h) {
    const double level = std::clamp((trace->loudnessDb[h] - (loudest - kLoudnessRangeDb)) / kLoudnessRangeDb, 0.0, 1.0);
    band << QPointF(kMargin + (double(h) + 0.5) * kHop * pixels, middle - level * reach);
  }
  for (std::size_t h = hops; h-- > 0;) band << QPointF(band[qsizetype(h)].x(), 2 * middle - band[qsizetype(h)].y());
  painter.setPen(Qt::NoPen);
  painter.setBrush(LoudnessColour(lane));
  painter.drawPolygon(band);

  // Pitch: semitones about the voice's own middle, broken where it is unvoiced.
  const double median = MedianPitch(trace->pitchHz);
  if (median <= 0) return;
  painter.setPen(QPen(PitchColour(lane), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  QPainterPath path;
  bool drawing = false;
  for (std::size_t h = 0; h < hops; ++h) {
    const float pitch = trace->pitchHz[h];
    if (pitch <= 0) {
      drawing = false;
      continue;
    }
    const double semitones = std::clamp(12.0 * std::log2(pitch / median), -kSemitoneRange, kSemitoneRange);
    const QPointF point(kMargin + (double(h) + 0.5) * kHop * pixels, middle - semitones / kSemitoneRange * reach);
    if (drawing) {
      path.lineTo(point);
    } else {
      path.moveTo(point);
      path.lineTo(point);
    }
    drawing = true;
  }
  painter.drawPath(path);
}

// The stressed syllables shaded, with a dotted line between syllables.
void VoiceDrawing::PaintSyllables(QPainter& painter, const VoiceTrace& model) const {
  const QRectF area = LaneArea(Lane::Model).adjusted(1, 1, -1, -1);
  const double pixels = PixelsPerSecond();
  const std::vector<bool> stress = EsperantoSyllableStress(text_);
  std::vector<double> edges{kMargin};
  for (const int boundary : model.syllableBoundaries) edges.push_back(kMargin + (boundary + 0.5) * kHop * pixels);
  edges.push_back(kMargin + model.Seconds() * pixels);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kStressShade);
  for (std::size_t i = 0; i < stress.size(); ++i) {
    if (stress[i]) painter.drawRect(QRectF(edges[i], area.top(), edges[i + 1] - edges[i], area.height()));
  }
  painter.setPen(QPen(kSyllableLine, 1, Qt::DotLine));
  for (std::size_t i = 1; i + 1 < edges.size(); ++i) {
    painter.drawLine(QPointF(edges[i], area.top()), QPointF(edges[i], area.bottom()));
  }
}

void VoiceDrawing::mousePressEvent(QMouseEvent* event) {
  if (!clickable_ || event->button() != Qt::LeftButton) return;
  for (Lane lane : {Lane::Model, Lane::Recording}) {
    const std::optional<VoiceTrace>& trace = TraceOf(lane);
    if (!LaneArea(lane).contains(event->position()) || !trace || trace->IsSilent()) continue;
    const double seconds = trace->startSeconds + (event->position().x() - kMargin) / PixelsPerSecond();
    // Playing may outlast this drawing: nothing of it is touched afterwards.
    Q_EMIT PlayRequested(lane, std::llround(std::clamp(seconds, 0.0, trace->totalSeconds) * 1000));
    return;
  }
}
