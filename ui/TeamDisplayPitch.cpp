#include "ui/TeamDisplayPitch.h"

#include "core/Errors.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr QRgb GrassDark = 0xFF3A8A44;
constexpr QRgb GrassLight = 0xFF43974D;
constexpr QRgb PitchEdge = 0xFF1F5A27;
constexpr qreal PitchRadius = 6;
constexpr int StripeHeight = 32;

}  // namespace

void DrawPitch(QPainter& painter, const QRectF& area) {
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath shape;
  shape.addRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), PitchRadius, PitchRadius);
  painter.fillPath(shape, QColor::fromRgba(GrassDark));
  painter.save();
  painter.setClipPath(shape);
  for (qreal top = area.top(); top < area.bottom(); top += 2 * StripeHeight)
    painter.fillRect(QRectF(area.left(), top + StripeHeight, area.width(), StripeHeight), QColor::fromRgba(GrassLight));

  const QRectF lines = area.adjusted(5, 5, -5, -5);
  painter.setPen(QPen(QColor(255, 255, 255, 170), 1.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(lines);
  const qreal w = lines.width();
  const qreal h = lines.height();
  const qreal cx = lines.center().x();
  const QRectF penaltyArea(cx - 0.3 * w, lines.top(), 0.6 * w, 0.2 * h);
  painter.drawRect(penaltyArea);
  painter.drawRect(QRectF(cx - 0.14 * w, lines.top(), 0.28 * w, 0.07 * h));
  const QPointF spot(cx, lines.top() + 0.135 * h);
  painter.setBrush(QColor(255, 255, 255, 170));
  painter.drawEllipse(spot, 1.5, 1.5);
  painter.setBrush(Qt::NoBrush);
  // The arc outside the penalty area: the part of the circle round the spot below the area's edge.
  const qreal radius = 0.11 * w;
  painter.save();
  painter.setClipRect(QRectF(lines.left(), penaltyArea.bottom(), w, h));
  painter.drawEllipse(spot, radius, radius);
  painter.restore();
  // Halfway line (the bottom edge) and the centre circle's half.
  const qreal centre = 0.13 * w;
  painter.drawEllipse(QPointF(cx, lines.bottom()), centre, centre);
  painter.restore();
  painter.setPen(QPen(QColor::fromRgba(PitchEdge), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(shape);
}

QFont VerdanaFont(const QFont& base) {
  QFont font = base;
  font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
  font.setPointSizeF(7.5);
  return font;
}

TkvTeamDisplay::TkvTeamDisplay(QWidget* parent) : TkvTeamDisplay(std::make_unique<TPitchArrangement>(), parent) {}

TkvTeamDisplay::TkvTeamDisplay(std::unique_ptr<TPitchArrangement> arrangement, QWidget* parent)
    : QFrame(parent),
      FArrangement(std::move(arrangement)),
      FSpecialtyImages(std::make_unique<TSpecialtyImages>(DefaultSpecialtyImages())),
      FBehaviourImages(std::make_unique<TBehaviourImages>(DefaultBehaviourImages())),
      FStarImages(std::make_unique<TStarImages>(DefaultStarImages())) {
  Init();
}

TkvTeamDisplay::~TkvTeamDisplay() {
  // The boxes point at the picture sets: they go first.
  for (TkvPlayerPanel*& box : FPanels) {
    delete box;
    box = nullptr;
  }
}

void TkvTeamDisplay::Init() {
  setFrameShape(QFrame::NoFrame);
  setFont(VerdanaFont(font()));
  for (TkvPlayerPanel*& box : FPanels) {
    box = new TkvPlayerPanel(this);
    PrepareBox(*box);
  }
  FArrangement->SetStarImagesEmpty(FStarImages->IsEmpty());
  Redraw();
}

void TkvTeamDisplay::PrepareBox(TkvPlayerPanel& box) {
  box.SetImages(FStarImages.get(), FSpecialtyImages.get(), FBehaviourImages.get());
  box.SetStarsVisible(FArrangement->StarsVisible());
}

void TkvTeamDisplay::ImagesChanged() {
  for (TkvPlayerPanel* box : FPanels) box->SetImages(FStarImages.get(), FSpecialtyImages.get(), FBehaviourImages.get());
  // Without star pictures the boxes need no room for stars.
  FArrangement->SetStarImagesEmpty(FStarImages->IsEmpty());
  Redraw();
}

void TkvTeamDisplay::CopyImagesFrom(const TkvTeamDisplay& other) {
  *FStarImages = *other.FStarImages;
  *FBehaviourImages = *other.FBehaviourImages;
  ImagesChanged();
}

void TkvTeamDisplay::SetStarsVisible(bool visible) {
  FArrangement->SetStarsVisible(visible);
  Redraw();
}

void TkvTeamDisplay::SetFormation(int code) {
  FArrangement->SetFormation(code);
  Redraw();
}

TkvPlayerPanel* TkvTeamDisplay::GetPanel(int index) const {
  if (index < 0 || index >= BoxCount) throw ERangeError();
  return FPanels[static_cast<size_t>(index)];
}

bool TkvTeamDisplay::ArrangePanels(const TLineCounts& counts) {
  const bool arranged = FArrangement->ArrangePanels(counts);
  if (arranged) Redraw();
  return arranged;
}

void TkvTeamDisplay::ClearPanels() {
  FArrangement->ClearPanels();
  Redraw();
}

void TkvTeamDisplay::ShowLineup(const pugi::xml_node& lineup) {
  FArrangement->ShowLineup(lineup);
  Redraw();
}

void TkvTeamDisplay::ShowArrangement(const TPitchArrangement& arrangement) {
  // The pitch part only: a display of a played match keeps its slots. The arrangement comes laid out;
  // telling it about the pictures here would lay the formation out again over the lineup.
  *FArrangement = arrangement;
  Redraw();
}

void TkvTeamDisplay::Redraw() {
  const TPitchArrangement& arrangement = *FArrangement;
  resize(DisplayWidth, arrangement.Height());
  for (int i = 0; i < BoxCount; ++i) {
    TkvPlayerPanel& box = *FPanels[static_cast<size_t>(i)];
    box.SetStarsVisible(arrangement.StarsVisible());
    box.ShowBox(arrangement.Panel(i));
  }
  update();
}

void TkvTeamDisplay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawPitch(painter, QRectF(rect()));
}
