#include "ui/LineupDisplay.h"

#include "core/Intl.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace {
QString T(const char* text) { return QString::fromUtf8(_(text)); }

QString CaptionText(int place) {
  switch (place) {
    case 0: return T(N_("Keeper"));
    case 1:
    case 2: return QString::fromUtf8(FormatText(_("Central Defender %d"), place));
    case 3: return T(N_("Right Back"));
    case 4: return T(N_("Left Back"));
    case 5:
    case 6: return QString::fromUtf8(FormatText(_("Inner Midfield %d"), place - 4));
    case 7: return T(N_("Right Winger"));
    case 8: return T(N_("Left Winger"));
    default: return QString::fromUtf8(FormatText(_("Forward %d"), place - 8));
  }
}

// Where a place stands on the pitch, as fractions of the display (attack upwards, the right side on the
// right): forwards, midfield, defence, keeper.
struct TPlaceSpot {
  double X, Y;
};
constexpr TPlaceSpot Spots[AnalyzerPositionCount] = {
    {0.5, 0.80},                                   // keeper
    {0.625, 0.56}, {0.375, 0.56},                  // central defenders 1 (right), 2 (left)
    {0.875, 0.56}, {0.125, 0.56},                  // right back, left back
    {0.625, 0.31}, {0.375, 0.31},                  // inner midfielders
    {0.875, 0.31}, {0.125, 0.31},                  // right winger, left winger
    {0.625, 0.06}, {0.375, 0.06},                  // forwards
};
}  // namespace

TLineupDisplay::TLineupDisplay(QWidget* owner, const QRect& rect) : TTeamDisplay(owner, rect) {
  // Only the pitch: the analyzer has no bench, no stars, no captain.
  BenchPanel()->hide();
  PenaltyTakersButton()->hide();
  CaptainIcon()->hide();
  SetPiecesIcon()->hide();
  for (int slot = 0; slot < SlotCount; ++slot) Slot(slot)->hide();
  for (int slot = 0; slot < StarterCount; ++slot)
    for (int colour = 0; colour < StarColourCount; ++colour) Strip(slot, colour)->hide();

  const QFont verdana(QStringLiteral("Verdana"), 8);
  for (int place = 0; place < AnalyzerPositionCount; ++place) {
    auto* caption = new QLabel(CaptionText(place), this);
    caption->setAlignment(Qt::AlignCenter);
    caption->setStyleSheet(QStringLiteral("color: white; font-weight: bold;"));
    FCaptions[static_cast<size_t>(place)] = caption;
    auto* box = new QComboBox(this);
    box->setFont(verdana);
    box->setMaxVisibleItems(20);
    box->setAccessibleName(CaptionText(place));
    FPlayerBoxes[static_cast<size_t>(place)] = box;
    if (place == 0) continue;
    auto* behaviour = new QComboBox(this);
    behaviour->setFont(verdana);
    for (int b : AllowedBehaviours(AnalyzerPositionGroup(place))) behaviour->addItem(T(AnalyzerBehaviourNames[b]));
    behaviour->setAccessibleName(CaptionText(place) + QStringLiteral(" ") + T(N_("Behaviour")));
    FBehaviourBoxes[static_cast<size_t>(place)] = behaviour;
  }
  FVersionLabel = new QLabel(
      QString::fromUtf8(FormatText(_("Version %s\n%s"), PITCHBOOK_VERSION, _("Pitchbook Rating Analyzer"))), this);
  FVersionLabel->setStyleSheet(QStringLiteral("color: white;"));
  // Tab order follows the places, each player box before its behaviour box.
  QWidget* previous = nullptr;
  for (int place = 0; place < AnalyzerPositionCount; ++place)
    for (QWidget* w : {static_cast<QWidget*>(FPlayerBoxes[static_cast<size_t>(place)]),
                       static_cast<QWidget*>(FBehaviourBoxes[static_cast<size_t>(place)])}) {
      if (!w) continue;
      if (previous) setTabOrder(previous, w);
      previous = w;
    }
  PlaceBoxes();
}

TLineupDisplay::~TLineupDisplay() = default;

int TLineupDisplay::PlaceOfBox(const QObject* box) const {
  for (int place = 0; place < AnalyzerPositionCount; ++place)
    if (FPlayerBoxes[static_cast<size_t>(place)] == box) return place;
  return -1;
}

void TLineupDisplay::resizeEvent(QResizeEvent* event) {
  TTeamDisplay::resizeEvent(event);
  PlaceBoxes();
}

void TLineupDisplay::PlaceBoxes() {
  const int w = PlaceWidth;
  for (int place = 0; place < AnalyzerPositionCount; ++place) {
    const TPlaceSpot spot = Spots[place];
    const int left = static_cast<int>(spot.X * width()) - w / 2;
    int top = static_cast<int>(spot.Y * height());
    QLabel* caption = FCaptions[static_cast<size_t>(place)];
    caption->setGeometry(left, top, w, caption->sizeHint().height());
    top += caption->sizeHint().height() + 1;
    QComboBox* box = FPlayerBoxes[static_cast<size_t>(place)];
    box->setGeometry(left, top, w, box->sizeHint().height());
    top += box->sizeHint().height() + 1;
    if (QComboBox* behaviour = FBehaviourBoxes[static_cast<size_t>(place)])
      behaviour->setGeometry(left, top, w, behaviour->sizeHint().height());
  }
  FVersionLabel->adjustSize();
  FVersionLabel->move(8, height() - FVersionLabel->height() - 6);
}

// ---- TMyLineupDisplay -------------------------------------------------------------------------------------

TMyLineupDisplay::TMyLineupDisplay(QWidget* owner, const QRect& rect) : TLineupDisplay(owner, rect) {
  for (int place = 0; place < AnalyzerPositionCount; ++place) {
    QComboBox& box = PlayerBox(place);
    box.installEventFilter(this);
    connect(&box, &QComboBox::activated, this, [this, place](int item) { PlayerBoxChosen(place, item); });
    if (place > 0)
      connect(&BehaviourBox(place), &QComboBox::currentIndexChanged, this, [this] { emit LineupChanged(); });
  }
  FillBoxes();
}

TMyLineupDisplay::~TMyLineupDisplay() = default;

void TMyLineupDisplay::FillBoxes() {
  FSelected = nullptr;
  QStringList names{QStringLiteral(" ")};
  for (const TPlayer& p : *FPlayers) names << QString::fromStdString(p.PlayerName);
  for (int place = 0; place < AnalyzerPositionCount; ++place) {
    QComboBox& box = PlayerBox(place);
    const QSignalBlocker block(box);
    box.clear();
    box.addItems(names);  // item k (k >= 1) is player k of the list
    box.setCurrentIndex(0);
  }
}

void TMyLineupDisplay::FillPlayers(const TPlayerList& snapshot) {
  FPlayers = snapshot.Clone();
  FillBoxes();
  emit PlayerSelected(nullptr);
  emit LineupChanged();
}

void TMyLineupDisplay::ApplySetup(const TRatingAnalyzerSetup& setup) {
  FPlayers = setup.Players->Clone();
  FillBoxes();
  for (int place = 0; place < AnalyzerPositionCount; ++place) {
    const QSignalBlocker block(PlayerBox(place));
    PlayerBox(place).setCurrentIndex(FPlayers->IndexOfID(setup.PlayerIDs[static_cast<size_t>(place)]));
    if (place == 0) continue;
    const QSignalBlocker blockBehaviour(BehaviourBox(place));
    BehaviourBox(place).setCurrentIndex(setup.BehaviourItems[static_cast<size_t>(place - 1)]);
  }
  SelectPlace(0);
  emit LineupChanged();
}

TRatingAnalyzerSetup TMyLineupDisplay::Setup() const {
  TRatingAnalyzerSetup setup;
  setup.Players = FPlayers->Clone();
  for (int place = 0; place < AnalyzerPositionCount; ++place) {
    const TPlayer* p = PlayerAt(place);
    setup.PlayerIDs[static_cast<size_t>(place)] = p ? p->PlayerID : 0;
    if (place > 0) setup.BehaviourItems[static_cast<size_t>(place - 1)] = BehaviourBox(place).currentIndex();
  }
  return setup;
}

TPlayer* TMyLineupDisplay::PlayerAt(int place) const {
  const int item = PlayerBox(place).currentIndex();
  return item >= 1 && item <= FPlayers->Count() ? &(*FPlayers)[item] : nullptr;
}

void TMyLineupDisplay::ChoosePlayer(int place, int64_t playerID) {
  const int item = playerID ? FPlayers->IndexOfID(playerID) : 0;
  {
    const QSignalBlocker block(PlayerBox(place));
    PlayerBox(place).setCurrentIndex(item);
  }
  PlayerBoxChosen(place, item);
}

void TMyLineupDisplay::ResetBoxes() {
  for (int place = 0; place < AnalyzerPositionCount; ++place) {
    const QSignalBlocker block(PlayerBox(place));
    PlayerBox(place).setCurrentIndex(0);
    if (place == 0) continue;
    const QSignalBlocker blockBehaviour(BehaviourBox(place));
    BehaviourBox(place).setCurrentIndex(0);
  }
  SelectPlace(0);
  emit LineupChanged();
}

void TMyLineupDisplay::PlayerBoxChosen(int place, int item) {
  // A player stands on one place only: the place that showed him goes back to the blank item.
  if (item > 0)
    for (int other = 0; other < AnalyzerPositionCount; ++other)
      if (other != place && PlayerBox(other).currentIndex() == item) {
        const QSignalBlocker block(PlayerBox(other));
        PlayerBox(other).setCurrentIndex(0);
      }
  SelectPlace(place);
  emit LineupChanged();
}

void TMyLineupDisplay::SelectPlace(int place) {
  FSelected = PlayerAt(place);
  emit PlayerSelected(FSelected);
}

bool TMyLineupDisplay::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn)
    if (const int place = PlaceOfBox(watched); place >= 0) SelectPlace(place);
  return TLineupDisplay::eventFilter(watched, event);
}

TAnalyzerEstimate TMyLineupDisplay::Estimate(const TAnalyzerTeamSettings& team) const {
  std::array<const TPlayer*, AnalyzerPositionCount> players{};
  std::array<int, AnalyzerOutfieldCount> items{};
  for (int place = 0; place < AnalyzerPositionCount; ++place) {
    players[static_cast<size_t>(place)] = PlayerAt(place);
    if (place > 0) items[static_cast<size_t>(place - 1)] = BehaviourBox(place).currentIndex();
  }
  return EstimateRatings(AnalyzerPlaces(players, items), team);
}
