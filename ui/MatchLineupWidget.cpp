#include "ui/MatchLineupWidget.h"

#include "core/Errors.h"

#include <QEvent>
#include <QPainter>

namespace {
constexpr QRgb BenchFill = 0xFFE6ECE2;
constexpr QRgb BenchEdge = 0xFF8FA08A;

// The panel under the pitch: a plain rounded panel in a light bench colour.
class TExtraPanel : public QFrame {
public:
  using QFrame::QFrame;

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor::fromRgba(BenchEdge), 1));
    painter.setBrush(QColor::fromRgba(BenchFill));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
  }
};
}  // namespace

TkvMatchLineup::TkvMatchLineup(QWidget* parent) : TkvTeamDisplay(std::make_unique<TMatchLineupArrangement>(), parent) {
  FExtraPanel = new TExtraPanel(parentWidget());
  FExtraPanel->setFont(VerdanaFont(FExtraPanel->font()));
  for (TkvPlayerPanel*& slot : FSlots) {
    slot = new TkvPlayerPanel(FExtraPanel);
    PrepareBox(*slot);
    // The slots list players; their stars are on the pitch.
    slot->SetStarsVisible(false);
  }
  FExtraPanel->setVisible(parentWidget() != nullptr && !isHidden());
  Redraw();
}

TkvMatchLineup::~TkvMatchLineup() {
  // The slots point at the base's picture sets.
  delete FExtraPanel.data();
}

const TMatchLineupArrangement& TkvMatchLineup::LineupArrangement() const {
  return static_cast<const TMatchLineupArrangement&>(Arrangement());
}

void TkvMatchLineup::Clear() {
  static_cast<TMatchLineupArrangement&>(MutableArrangement()).Clear();
  Redraw();
}

void TkvMatchLineup::LoadLineup(const pugi::xml_node& lineup) {
  static_cast<TMatchLineupArrangement&>(MutableArrangement()).LoadLineup(lineup);
  Redraw();
}

void TkvMatchLineup::SetSlotCaptions() {
  static_cast<TMatchLineupArrangement&>(MutableArrangement()).SetSlotCaptions();
  Redraw();
}

void TkvMatchLineup::ArrangeSlots() {
  static_cast<TMatchLineupArrangement&>(MutableArrangement()).ArrangeSlots();
  Redraw();
}

void TkvMatchLineup::ShowArrangement(const TMatchLineupArrangement& arrangement) {
  static_cast<TMatchLineupArrangement&>(MutableArrangement()) = arrangement;
  Redraw();
}

TkvPlayerPanel* TkvMatchLineup::GetSlot(int index) const {
  if (index < 0 || index >= ExtraCount) throw ERangeError();
  return FSlots[static_cast<size_t>(index)];
}

void TkvMatchLineup::Redraw() {
  TkvTeamDisplay::Redraw();
  // The base constructor draws before the slots exist.
  if (!FExtraPanel || !FSlots[0]) return;
  const TMatchLineupArrangement& arrangement = LineupArrangement();
  for (int i = 0; i < ExtraCount; ++i) FSlots[static_cast<size_t>(i)]->ShowBox(arrangement.Extra(i));
  PlaceExtraPanel();
}

void TkvMatchLineup::PlaceExtraPanel() {
  if (!FExtraPanel) return;
  FExtraPanel->setGeometry(x(), y() + height() + TMatchLineupArrangement::ExtraPanelGap, width(),
                           TMatchLineupArrangement::ExtraPanelHeight);
}

void TkvMatchLineup::SetBounds(int left, int top, int width, int height) {
  setGeometry(left, top, width, height);
  // A hidden widget gets its move and resize events only when shown.
  PlaceExtraPanel();
}

void TkvMatchLineup::setVisible(bool visible) {
  TkvTeamDisplay::setVisible(visible);
  if (FExtraPanel && parentWidget()) FExtraPanel->setVisible(visible);
}

void TkvMatchLineup::moveEvent(QMoveEvent* event) {
  TkvTeamDisplay::moveEvent(event);
  PlaceExtraPanel();
}

void TkvMatchLineup::resizeEvent(QResizeEvent* event) {
  TkvTeamDisplay::resizeEvent(event);
  PlaceExtraPanel();
}

void TkvMatchLineup::changeEvent(QEvent* event) {
  TkvTeamDisplay::changeEvent(event);
  if (event->type() != QEvent::ParentChange || !FExtraPanel) return;
  FExtraPanel->setParent(parentWidget());
  PlaceExtraPanel();
  FExtraPanel->setVisible(parentWidget() != nullptr && !isHidden());
}
