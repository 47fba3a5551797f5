#include "ui/TeamDisplay.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Team.h"
#include "data/History.h"
#include "ui/TeamDisplayPitch.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <cmath>

namespace {
constexpr int IconSize = 16;
constexpr QRgb BenchFill = 0xFFE6ECE2;
constexpr QRgb BenchEdge = 0xFF8FA08A;

const char* const BenchCaptions[5] = {N_("Central Defender"), N_("Inner Midfielder"), N_("Winger"), N_("Forward"),
                                      N_("Keeper")};
// Hints of the strips by colour 0 yellow, 1 orange, 2 red.
const char* const StripHints[StarColourCount] = {N_("Accurate"), N_("Dependable"), N_("Unreliable")};

QString Q(const std::string& text) { return QString::fromStdString(text); }

QRect ToRect(const TSlotRect& r) { return QRect(r.Left, r.Top, r.Width, r.Height); }

class TBenchPanel : public QFrame {
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

QPixmap DrawnIcon(bool captain) {
  const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
  QPixmap pixmap(QSize(IconSize, IconSize) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  if (captain) {
    // The armband: a yellow disc with a C.
    p.setPen(QPen(QColor(0x80, 0x60, 0x00), 1));
    p.setBrush(QColor(0xFF, 0xD4, 0x20));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QFont font;
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("C"));
  } else {
    // A corner flag.
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.4));
    p.drawLine(QPointF(4, 1.5), QPointF(4, 15));
    QPolygonF flag;
    flag << QPointF(4.7, 2) << QPointF(14, 4.8) << QPointF(4.7, 8);
    p.setPen(QPen(QColor(0x90, 0x00, 0x00), 0.8));
    p.setBrush(QColor(0xE8, 0x20, 0x20));
    p.drawPolygon(flag);
  }
  p.end();
  return pixmap;
}

QLabel* SlotLabel(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setAlignment(Qt::AlignCenter);
  label->setAutoFillBackground(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, QColor(0xFF, 0xFB, 0xF0));
  label->setPalette(palette);
  label->resize(TTeamDisplay::SlotWidth, TTeamDisplay::SlotHeight);
  return label;
}
}  // namespace

TTeamDisplay::TTeamDisplay(QWidget* owner, const QRect& rect, const QList<QPixmap>* images)
    : QFrame(owner), FTeam(std::make_unique<TTeam>(wDisabled, false, false)) {
  setGeometry(rect);
  setFont(VerdanaFont(font()));
  const TBenchLayout bench = BenchLayout({rect.left(), rect.top(), rect.width(), rect.height()}, SlotWidth, SlotHeight);
  FBench = new TBenchPanel(owner);
  FBench->setGeometry(ToRect(bench.Bench));
  FBench->setFont(font());

  for (int i = 0; i < SlotCount; ++i) {
    QLabel* slot = SlotLabel(i < StarterCount ? static_cast<QWidget*>(this) : FBench);
    if (i >= StarterCount) slot->move(ToRect(bench.Slots[static_cast<size_t>(i - StarterCount)]).topLeft());
    FSlots[static_cast<size_t>(i)] = slot;
  }
  for (int i = 0; i < StarterCount; ++i) {
    for (int colour = 0; colour < StarColourCount; ++colour) {
      auto* strip = new TStarStrip(this);
      strip->setAttribute(Qt::WA_TransparentForMouseEvents, false);
      strip->SetPicture(StarPicture(colour, StripHeight, devicePixelRatioF()));
      strip->resize(StripWidth, StripHeight);
      strip->setToolTip(Q(_(StripHints[colour])));
      strip->hide();
      FStrips[static_cast<size_t>(i)][static_cast<size_t>(colour)] = strip;
    }
  }
  for (int i = 0; i < 5; ++i) {
    auto* caption = new QLabel(Q(_(BenchCaptions[i])), FBench);
    caption->setAlignment(Qt::AlignCenter);
    const QRect slot = ToRect(bench.Slots[static_cast<size_t>(i)]);
    caption->setGeometry(slot.left(), slot.top() - 14, slot.width(), 14);
    FBenchCaptions[static_cast<size_t>(i)] = caption;
  }
  FPenaltyButton = new QPushButton(Q(_("Penalty takers")), FBench);
  FPenaltyButton->setGeometry(ToRect(bench.PenaltyButton));
  FPenaltyButton->setEnabled(false);
  connect(FPenaltyButton, &QPushButton::clicked, this, [this] { emit PenaltyTakersRequested(PenaltyTakersText()); });

  FCaptainIcon = new QLabel(this);
  FSetPiecesIcon = new QLabel(this);
  const bool given = images && images->size() >= 2;
  FCaptainIcon->setPixmap(given ? images->at(0) : DrawnIcon(true));
  FSetPiecesIcon->setPixmap(given ? images->at(1) : DrawnIcon(false));
  for (QLabel* icon : {FCaptainIcon, FSetPiecesIcon}) {
    icon->resize(icon->pixmap().deviceIndependentSize().toSize());
    icon->hide();
  }
  FCaptainIcon->setToolTip(Q(_("Team Captain")));
  FSetPiecesIcon->setToolTip(Q(_("Set pieces")));
  Layout();
}

TTeamDisplay::~TTeamDisplay() {
  // The bench lives on the owner.
  delete FBench.data();
}

void TTeamDisplay::SetTeam(const TTeam& team) {
  FTeam = team.Clone();
  Layout();
}

bool TTeamDisplay::HasPlayers() const {
  for (int i = 0; i < SlotCount; ++i)
    if (FTeam->GetSlot(i)) return true;
  return false;
}

void TTeamDisplay::ClearSlots() {
  FCaptainIcon->hide();
  FSetPiecesIcon->hide();
  for (QLabel* slot : FSlots) slot->clear();
  for (auto& strips : FStrips)
    for (TStarStrip* strip : strips) strip->hide();
  FPredictions.fill({});
}

void TTeamDisplay::Layout() {
  const TTeamRoleCounts counts = CountRoles(*FTeam);
  if (!FLaidOut || counts != FRoleCounts) {
    ClearSlots();
    FPlaces = PitchSlotPlaces(counts, width(), height(), SlotWidth, FPlaces);
    for (int i = 0; i < StarterCount; ++i) {
      const TPitchSlot& place = FPlaces[static_cast<size_t>(i)];
      QLabel* slot = FSlots[static_cast<size_t>(i)];
      slot->move(place.Left, place.Top);
      slot->setVisible(place.Visible);
    }
    FRoleCounts = counts;
    FLaidOut = true;
  }
  if (HasPlayers()) FillSlots();
}

void TTeamDisplay::FillSlots() {
  const THistory& history = FHistory ? *FHistory : History();
  for (int i = 0; i < SlotCount; ++i) {
    QLabel* slot = FSlots[static_cast<size_t>(i)];
    const TPlayer* player = FTeam->GetSlot(i);
    // An emptied slot shows nothing rather than the player it had.
    slot->setText(player ? Q(player->PlayerName) : QString());
    if (i >= StarterCount) continue;
    auto& strips = FStrips[static_cast<size_t>(i)];
    TPredictedStars& prediction = FPredictions[static_cast<size_t>(i)];
    prediction = player ? PredictStars(*FTeam, i, history) : TPredictedStars();
    const int width = static_cast<int>(std::lround(prediction.Stars * StripHeight));
    const int shown = PredictionColour(prediction.Samples);
    for (int colour = 0; colour < StarColourCount; ++colour) {
      TStarStrip* strip = strips[static_cast<size_t>(colour)];
      strip->resize(width, StripHeight);
      strip->move(slot->x() + (slot->width() - width) / 2, slot->y() + slot->height());
      strip->setVisible(player && slot->isVisibleTo(this) && colour == shown);
    }
  }
  PlaceIcons();
}

void TTeamDisplay::PlaceIcons() {
  auto slotOf = [this](const TPlayer* player) -> QLabel* {
    if (!player) return nullptr;
    const QString name = Q(player->PlayerName);
    for (QLabel* slot : FSlots)
      if (slot->text() == name && slot->parentWidget() == this && slot->isVisibleTo(this)) return slot;
    return nullptr;
  };
  QLabel* captain = slotOf(FTeam->Captain());
  QLabel* setPieces = slotOf(FTeam->SetPiecesTaker());
  auto above = [](QLabel* icon, QLabel* slot, int left) {
    icon->move(left, slot->y() - icon->height());
    icon->show();
  };
  FCaptainIcon->setVisible(captain != nullptr);
  FSetPiecesIcon->setVisible(setPieces != nullptr);
  if (captain && captain == setPieces) {
    const int w = FCaptainIcon->width();
    const int left = captain->x() + static_cast<int>(std::lround((captain->width() - 2.5 * w) / 2));
    above(FCaptainIcon, captain, left);
    above(FSetPiecesIcon, captain, left + static_cast<int>(std::lround(1.5 * w)));
    return;
  }
  if (captain) above(FCaptainIcon, captain, captain->x() + (captain->width() - FCaptainIcon->width()) / 2);
  if (setPieces) above(FSetPiecesIcon, setPieces, setPieces->x() + (setPieces->width() - FSetPiecesIcon->width()) / 2);
}

QString TTeamDisplay::PenaltyTakersText() const { return Q(::PenaltyTakersText(*FTeam)); }

QLabel* TTeamDisplay::Slot(int index) const {
  if (index < 0 || index >= SlotCount) throw ERangeError();
  return FSlots[static_cast<size_t>(index)];
}

TStarStrip* TTeamDisplay::Strip(int slot, int colour) const {
  if (slot < 0 || slot >= StarterCount || colour < 0 || colour >= StarColourCount) throw ERangeError();
  return FStrips[static_cast<size_t>(slot)][static_cast<size_t>(colour)];
}

QLabel* TTeamDisplay::BenchCaption(int index) const {
  if (index < 0 || index >= 5) throw ERangeError();
  return FBenchCaptions[static_cast<size_t>(index)];
}

const TPredictedStars& TTeamDisplay::Prediction(int slot) const {
  if (slot < 0 || slot >= StarterCount) throw ERangeError();
  return FPredictions[static_cast<size_t>(slot)];
}

void TTeamDisplay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawPitch(painter, QRectF(rect()));
}
