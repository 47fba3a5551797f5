#include "ratings/LineupArrangement.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr THeaderColours HeaderStyles[HeaderStyleCount] = {
    {0xA6CAF0, 0x008080, 0x000000},  // normal
    {0xA6CAF0, 0x000080, 0xFFFFFF},  // an extra player's place
    {0xA6CAF0, 0x808080, 0x000000},
    {0xFF0000, 0x000000, 0xFFFFFF}};

constexpr int BehaviourStep = 8;

// Position codes of the players on the left side of the team (drawn on the right of the picture).
bool OnLeftSide(int positionCode) {
  return positionCode == 4 || positionCode == 5 || positionCode == 8 || positionCode == 9 || positionCode == 11;
}

constexpr TLineCounts Formations[9] = {
    {1, 1, 2, 1, 1, 2, 1, 2, 0, 0, 0},  // 4-4-2
    {1, 1, 2, 1, 1, 1, 1, 2, 0, 0, 1},  // 4-3-3
    {1, 1, 2, 1, 1, 2, 1, 1, 0, 1, 0},  // 4-5-1
    {1, 1, 1, 1, 1, 2, 1, 2, 0, 1, 0},  // 3-5-2
    {1, 1, 2, 1, 1, 1, 1, 2, 1, 0, 0},  // 5-3-2
    {1, 1, 1, 1, 1, 2, 1, 2, 0, 0, 1},  // 3-4-3
    {1, 1, 2, 1, 1, 2, 1, 1, 1, 0, 0},  // 5-4-1
    {1, 0, 2, 0, 1, 2, 1, 2, 0, 1, 1},  // 2-5-3
    {1, 1, 2, 1, 1, 2, 1, 0, 1, 1, 0}};  // 5-5-0

// Position captions of the eight groups, in the order of the counts.
constexpr const char* GroupCaptions[8] = {N_("GK"), N_("RB"), N_("CD"), N_("LB"),
                                          N_("RW"), N_("IM"), N_("LW"), N_("F")};

// A central line with E extras among its n players: which places k (1..n) are marked as an extra's.
bool ExtraPlace(int extras, int players, int place) {
  if (extras == 1 && players == 3) return place == 2;
  if (extras == 2 && players == 3) return place != 2;
  if (extras == 3 && players == 3) return true;
  return players < 3 && place <= extras;
}

// The values of one Player element of a lineup that the displays read.
struct TLineupPlayer {
  int64_t PlayerID = 0;
  int RoleID = -1;
  int Behaviour = -1;
  int PositionCode = 0;
  double Stars = 0;
  std::string Name;
  bool IsExtra() const { return Behaviour >= 5 && Behaviour <= 7; }
};

// Empty texts are the game's way of leaving a value out; anything else must be a number.
int IntOr(const pugi::xml_node& player, const char* name, int empty) {
  const std::string text = ChildText(player, name);
  return text.empty() ? empty : StrToInt(text);
}

TLineupPlayer ReadLineupPlayer(const pugi::xml_node& player) {
  TLineupPlayer result;
  const std::string id = ChildText(player, "PlayerID");
  result.PlayerID = id.empty() ? 0 : StrToInt64(id);
  result.RoleID = IntOr(player, "RoleID", -1);
  result.Behaviour = IntOr(player, "Behaviour", -1);
  result.PositionCode = IntOr(player, "PositionCode", 0);
  const std::string stars = ChildText(player, "RatingStars");
  result.Stars = stars.empty() ? 0 : StrToFloat(stars);
  result.Name = ChildText(player, "PlayerName");
  return result;
}

pugi::xml_node FirstLineupPlayer(const pugi::xml_node& lineup) {
  return lineup.child("Team").child("Lineup").child("Player");
}

// The group a starting player is counted in: the extras by behaviour, the others by RoleID; -1 for none.
int CountIndexOf(const TLineupPlayer& player) {
  switch (player.Behaviour) {
    case 5: return lcExtraForwards;
    case 6: return lcExtraInnerMidfielders;
    case 7: return lcExtraDefenders;
    default: break;
  }
  switch (player.RoleID) {
    case 1: return lcKeeper;
    case 2: return lcRightBack;
    case 3:
    case 4: return lcCentralDefenders;
    case 5: return lcLeftBack;
    case 6: return lcRightWinger;
    case 7:
    case 8: return lcInnerMidfielders;
    case 9: return lcLeftWinger;
    case 10:
    case 11: return lcForwards;
    default: return -1;
  }
}

constexpr const char* SlotPositions[5] = {N_("GK"), N_("CD"), N_("IM"), N_("F"), N_("W")};
}  // namespace

// ---- One player box ----------------------------------------------------------------------------------

THeaderColours HeaderColours(int style) {
  return HeaderStyles[style >= 0 && style < HeaderStyleCount ? style : 0];
}

TOffset BehaviourOffset(int behaviour, int positionCode) {
  const int sideways = OnLeftSide(positionCode) ? -BehaviourStep : BehaviourStep;
  switch (behaviour) {
    case 1: return {0, BehaviourStep};
    case 2: return {0, -BehaviourStep};
    case 3: return {sideways, 0};
    case 4: return {-sideways, 0};
    default: return {};
  }
}

TBehaviourIcon BehaviourIcon(int behaviour, int positionCode) {
  const bool left = OnLeftSide(positionCode);
  switch (behaviour) {
    case 1: return TBehaviourIcon::Down;
    case 2: return TBehaviourIcon::Up;
    case 3: return left ? TBehaviourIcon::Left : TBehaviourIcon::Right;
    case 4: return left ? TBehaviourIcon::Right : TBehaviourIcon::Left;
    default: return TBehaviourIcon::None;
  }
}

TStarWidths StarWidths(double stars) {
  // The game gives 0..10 stars; a file with anything else must not make the images absurdly wide.
  if (!std::isfinite(stars) || stars < 0) stars = 0;
  stars = std::min(stars, 100.0);
  const int fives = static_cast<int>(std::trunc(stars)) / 5;
  return {24 * fives, static_cast<int>(RoundHalfEven((stars - 5 * fives) * 16))};
}

void TPlayerBox::Clear() {
  Caption.clear();
  PlayerID = 0;
  PlayerName.clear();
  Stars = 0;
  PositionCode = 0;
  Behaviour = 0;
  Specialty = 0;
  Filled = false;
}

// ---- The pitch ---------------------------------------------------------------------------------------

std::optional<TLineCounts> FormationCounts(int code) {
  if (code < 0 || code > 8) return std::nullopt;
  return Formations[code];
}

TPitchArrangement::TPitchArrangement() { SetFormation(FFormation); }

void TPitchArrangement::SetStarsVisible(bool visible) {
  FStarsVisible = visible;
  SetFormation(FFormation);
}

void TPitchArrangement::SetStarImagesEmpty(bool empty) {
  FStarImagesEmpty = empty;
  SetFormation(FFormation);
}

int TPitchArrangement::TotalHeight() const {
  return TPlayerBox::Height + (FStarsVisible && !FStarImagesEmpty ? TPlayerBox::StarsHeight : 0);
}

void TPitchArrangement::SetFormation(int code) {
  const std::optional<TLineCounts> counts = FormationCounts(code);
  if (!counts) return;
  FFormation = code;
  ArrangePanels(*counts);
}

bool TPitchArrangement::ArrangePanels(const TLineCounts& input) {
  TLineCounts counts{};
  for (size_t i = 0; i < counts.size(); ++i) counts[i] = std::max(input[i], 0);
  counts[lcCentralDefenders] += counts[lcExtraDefenders];
  counts[lcInnerMidfielders] += counts[lcExtraInnerMidfielders];
  counts[lcForwards] += counts[lcExtraForwards];
  if (counts[lcCentralDefenders] >= 4 || counts[lcInnerMidfielders] >= 4 || counts[lcForwards] >= 4) return false;

  const int h = TotalHeight();
  const int keeperTop = 8;
  const int defenceTop = keeperTop + h + 8;
  const int midfieldTop = defenceTop + h + 16;
  const int attackTop = midfieldTop + h + 16;
  const int D = Width;
  const int W = TPlayerBox::Width;
  struct TGroup {
    int Top;
    int Extras;  // -1: not a central line
  };
  const TGroup groups[8] = {{keeperTop, -1},
                            {defenceTop, -1},
                            {defenceTop, counts[lcExtraDefenders]},
                            {defenceTop, -1},
                            {midfieldTop, -1},
                            {midfieldTop, counts[lcExtraInnerMidfielders]},
                            {midfieldTop, -1},
                            {attackTop, counts[lcExtraForwards]}};

  size_t box = 0;
  for (int g = 0; g < 8; ++g) {
    const int n = counts[static_cast<size_t>(g)];
    const int gap = ((D - 2 * W - 48) - n * W) / (n + 1);
    for (int k = 1; k <= n && box < FBoxes.size(); ++k, ++box) {
      TPlayerBox& target = FBoxes[box];
      target.Visible = true;
      target.Top = groups[g].Top;
      switch (g) {
        case lcKeeper: target.Left = (D - W) / 2; break;
        case lcRightBack:
        case lcRightWinger: target.Left = 8; break;
        case lcLeftBack:
        case lcLeftWinger: target.Left = D - W - 8; break;
        default: target.Left = 24 + k * (gap + W); break;
      }
      target.Caption = _(GroupCaptions[g]);
      target.HeaderStyle = groups[g].Extras >= 0 && ExtraPlace(groups[g].Extras, n, k) ? 1 : 0;
    }
  }
  for (; box < FBoxes.size(); ++box) {
    FBoxes[box].Visible = false;
    FBoxes[box].HeaderStyle = 0;
  }
  FHeight = 4 * h + 56;
  return true;
}

void TPitchArrangement::ClearPanels() {
  for (TPlayerBox& box : FBoxes) box.Clear();
}

const TPlayerBox& TPitchArrangement::Panel(int index) const {
  if (index < 0 || index >= BoxCount) throw ERangeError();
  return FBoxes[static_cast<size_t>(index)];
}

TPlayerBox& TPitchArrangement::Panel(int index) {
  if (index < 0 || index >= BoxCount) throw ERangeError();
  return FBoxes[static_cast<size_t>(index)];
}

int TPitchArrangement::VisibleCount() const {
  return static_cast<int>(std::count_if(FBoxes.begin(), FBoxes.end(), [](const TPlayerBox& b) { return b.Visible; }));
}

void TPitchArrangement::ShowLineup(const pugi::xml_node& lineup) {
  // Read the starting eleven first: a malformed number then fails before anything has changed.
  std::vector<TLineupPlayer> players;
  for (pugi::xml_node node = FirstLineupPlayer(lineup); node && players.size() < BoxCount;
       node = node.next_sibling("Player"))
    players.push_back(ReadLineupPlayer(node));

  TLineCounts counts{};
  for (const TLineupPlayer& player : players)
    if (const int index = CountIndexOf(player); index >= 0) ++counts[static_cast<size_t>(index)];
  // Boxes keep their captions: a lineup that cannot be laid out still shows under the previous ones.
  for (TPlayerBox& box : FBoxes) {
    const std::string caption = box.Caption;
    box.Clear();
    box.Caption = caption;
  }
  ArrangePanels(counts);

  auto put = [](TPlayerBox& box, const TLineupPlayer& player) {
    box.PlayerID = player.PlayerID;
    box.PlayerName = player.Name;
    box.Stars = player.Stars;
    box.Filled = true;
  };

  // The extras go to the places marked for them in their line (header style 1).
  for (size_t i = 0; i < players.size(); ++i) {
    const TLineupPlayer& player = players[i];
    if (!FBoxes[i].Visible || player.PlayerID == 0 || !player.IsExtra()) continue;
    const char* caption = player.Behaviour == 5 ? N_("F") : player.Behaviour == 6 ? N_("IM") : N_("CD");
    const std::string translated = _(caption);
    auto target = std::find_if(FBoxes.begin(), FBoxes.end(), [&](const TPlayerBox& box) {
      return box.Visible && box.HeaderStyle == 1 && !box.Filled && box.Caption == translated;
    });
    if (target != FBoxes.end()) put(*target, player);
  }

  // The others in lineup order, passing over the extras' places.
  size_t cursor = 0;
  for (const TLineupPlayer& player : players) {
    while (cursor < FBoxes.size() && FBoxes[cursor].HeaderStyle == 1) ++cursor;
    if (cursor >= FBoxes.size() || !FBoxes[cursor].Visible) break;
    if (player.PlayerID == 0 && player.Behaviour < 5) {
      ++cursor;
      continue;
    }
    if (player.IsExtra()) continue;
    TPlayerBox& box = FBoxes[cursor++];
    put(box, player);
    box.PositionCode = player.PositionCode;
    box.Behaviour = player.Behaviour;
  }
}

// ---- The lineup of a played match --------------------------------------------------------------------

TMatchLineupArrangement::TMatchLineupArrangement() {
  ArrangeSlots();
  ClearSlots();
}

int TMatchLineupArrangement::SlotOfRole(int roleID) {
  if (roleID < 12 || roleID >= 12 + ExtraCount) return -1;
  const int slot = roleID - 12;
  // The substitutes' RoleIDs run keeper, defender, inner midfielder, winger, forward; the slots put the
  // winger last.
  if (slot == 3) return 4;
  if (slot == 4) return 3;
  return slot;
}

std::string TMatchLineupArrangement::SlotCaption(int slot) {
  if (slot < 0 || slot >= ExtraCount) throw ERangeError();
  if (slot < 5) return FormatText(_("Sub (%s)"), _(SlotPositions[slot]));
  if (slot == 5) return _("Set pieces");
  if (slot == 6) return _("Team Captain");
  return _("Replaced");
}

void TMatchLineupArrangement::SetSlotCaptions() {
  for (int slot = 0; slot < ExtraCount; ++slot) {
    TPlayerBox& box = FExtras[static_cast<size_t>(slot)];
    box.Caption = SlotCaption(slot);
    box.HeaderStyle = slot < 7 ? 1 : 2;
  }
}

void TMatchLineupArrangement::ArrangeSlots() {
  const int W = TPlayerBox::Width;
  // The second row stands 16 pixels below the first row's height, which leaves the panel the same 8 pixels
  // below it as above the first row.
  const int rowTops[2] = {8, TPlayerBox::Height + 16};
  for (int slot = 0; slot < ExtraCount; ++slot) {
    const int k = slot % 5;
    TPlayerBox& box = FExtras[static_cast<size_t>(slot)];
    box.Top = rowTops[slot / 5];
    box.Left = 8 + k * (ExtraPanelWidth - W - 16) / 4;
  }
}

void TMatchLineupArrangement::Clear() {
  ClearPanels();
  ClearSlots();
}

void TMatchLineupArrangement::ClearSlots() {
  for (TPlayerBox& box : FExtras) box.Clear();
  SetSlotCaptions();
  for (int slot = 0; slot < ExtraCount; ++slot) FExtras[static_cast<size_t>(slot)].Visible = slot < 7;
}

const TPlayerBox& TMatchLineupArrangement::Extra(int index) const {
  if (index < 0 || index >= ExtraCount) throw ERangeError();
  return FExtras[static_cast<size_t>(index)];
}

TPlayerBox& TMatchLineupArrangement::Extra(int index) {
  if (index < 0 || index >= ExtraCount) throw ERangeError();
  return FExtras[static_cast<size_t>(index)];
}

void TMatchLineupArrangement::LoadLineup(const pugi::xml_node& lineup) {
  TMatchLineupArrangement next = *this;
  next.Clear();
  next.ShowLineup(lineup);

  pugi::xml_node node = FirstLineupPlayer(lineup);
  for (int shown = next.VisibleCount(); shown > 0 && node; --shown) node = node.next_sibling("Player");
  for (int step = 0; step < ExtraCount && node; ++step, node = node.next_sibling("Player")) {
    const TLineupPlayer player = ReadLineupPlayer(node);
    const int slot = SlotOfRole(player.RoleID);
    if (player.PlayerID == 0 || slot < 0) continue;
    TPlayerBox& box = next.FExtras[static_cast<size_t>(slot)];
    box.Visible = true;
    box.PlayerID = player.PlayerID;
    box.PlayerName = player.Name;
    box.Filled = true;
  }
  *this = std::move(next);
}
