#include "core/Team.h"

#include "core/Errors.h"
#include "core/Player.h"


namespace {
constexpr uint8_t CD = rfCentralDefender, WB = rfWingBack, IM = rfInnerMidfielder, W = rfWinger, FW = rfForward;

struct TFormation {
  int Code;
  std::array<uint8_t, 10> Roles;  // slots 1..10
};

// Roles follow each other in the order central defenders, wing backs, inner midfielders, wingers, forwards:
// the team display lays the slots out by that order.
constexpr TFormation Formations[] = {
    {343, {CD, WB, WB, IM, IM, W, W, FW, FW, FW}},   {352, {CD, WB, WB, IM, IM, IM, W, W, FW, FW}},
    {433, {CD, CD, WB, WB, IM, W, W, FW, FW, FW}},   {442, {CD, CD, WB, WB, IM, IM, W, W, FW, FW}},
    {451, {CD, CD, WB, WB, IM, IM, IM, W, W, FW}},   {532, {CD, CD, CD, WB, WB, IM, W, W, FW, FW}},
    {541, {CD, CD, CD, WB, WB, IM, IM, W, W, FW}},   {1343, {CD, CD, WB, IM, IM, W, W, FW, FW, FW}},
    {1352, {CD, CD, WB, IM, IM, IM, W, W, FW, FW}},  {1433, {CD, CD, CD, WB, IM, W, W, FW, FW, FW}},
    {1442, {CD, CD, CD, WB, IM, IM, W, W, FW, FW}},  {1451, {CD, CD, CD, WB, IM, IM, IM, W, W, FW}},
    {2343, {CD, WB, WB, IM, IM, IM, W, FW, FW, FW}}, {2433, {CD, CD, WB, WB, IM, IM, W, FW, FW, FW}},
    {2442, {CD, CD, WB, WB, IM, IM, IM, W, FW, FW}}, {2532, {CD, CD, CD, WB, WB, IM, IM, W, FW, FW}},
    {2541, {CD, CD, CD, WB, WB, IM, IM, IM, W, FW}},
};

const TFormation* FindFormation(int code) {
  for (const TFormation& f : Formations)
    if (f.Code == code) return &f;
  return nullptr;
}

void CheckSlot(int i) {
  if (i < 0 || i >= TTeam::SlotCount) throw ERangeError();
}

// Nearest whole number, halves away from zero; inline, as Optimise rates every player in every role.
int64_t RoundToWhole(double value) { return static_cast<int64_t>(value + (value < 0 ? -0.5 : 0.5)); }

// Set-pieces ratings are multiples of 0.01; compare them as whole hundredths so that equal is equal.
int64_t Hundredths(double rating) { return RoundToWhole(rating * 100); }
}  // namespace

TTeam::TTeam(int weather, bool includeTraining, bool ignoreForm)
    : Weather(weather), IgnoreForm(ignoreForm), IncludeTraining(includeTraining) {
  SetFormation(442);
}

TTeam::TTeam(const TRoleArray& roles, int weather, bool includeTraining, bool ignoreForm)
    : Weather(weather), IgnoreForm(ignoreForm), IncludeTraining(includeTraining), FRoleFlags(roles) {}

TTeam::~TTeam() = default;

TPlayer* TTeam::GetSlot(int i) const {
  if (i < 0 || i >= SlotCount) return nullptr;
  return FPlayers[i].get();
}

int64_t TTeam::UnitsOf(TPlayer* player, uint8_t flags) {
  if (!player) return 0;
  return RoundToWhole(player->GetRoleRating(flags) * UnitsPerPoint);
}

double TTeam::SlotRating(int i, uint8_t flags) const {
  TPlayer* player = GetSlot(i);
  if (!player) return 0;
  return player->GetRoleRating(flags == 0 ? FRoleFlags[i] : flags);
}

int64_t TTeam::SlotUnits(int i, uint8_t flags) const {
  TPlayer* player = GetSlot(i);
  return player ? UnitsOf(player, flags == 0 ? FRoleFlags[i] : flags) : 0;
}

void TTeam::ClearSlot(int i) {
  CheckSlot(i);
  std::unique_ptr<TPlayer>& slot = FPlayers[i];
  if (!slot) return;
  StrengthOf(i) -= SlotUnits(i);
  if (CountsTowardCount(i)) {
    --FCount;
    if (slot->InLineup) --FFixedCount;
  }
  // The captain and the set-pieces taker point into the slots: never leave them pointing at a freed player.
  if (FCaptain == slot.get()) FCaptain = nullptr;
  if (FSetPiecesTaker == slot.get()) FSetPiecesTaker = nullptr;
  slot.reset();
}

void TTeam::PutSlot(int i, std::unique_ptr<TPlayer> player) {
  const int slotIndex = i == NextSlot ? FCount + 1 : i;
  // The next slot is a field slot: with all fourteen taken it would be the substitute keeper's.
  if (i == NextSlot && slotIndex >= SubstituteKeeperSlot) throw ERangeError();
  CheckSlot(slotIndex);
  if (!player) {
    ClearSlot(slotIndex);
    return;
  }
  // Rate first: a rating that fails leaves the team as it was.
  const int64_t units = UnitsOf(player.get(), FRoleFlags[slotIndex]);
  ClearSlot(slotIndex);
  if (CountsTowardCount(slotIndex)) {
    ++FCount;
    if (player->InLineup) ++FFixedCount;
  }
  FPlayers[slotIndex] = std::move(player);
  StrengthOf(slotIndex) += units;
}

uint8_t TTeam::GetRoleFlags(int i) const {
  CheckSlot(i);
  return FRoleFlags[i];
}

void TTeam::SetRoleFlags(int i, uint8_t flags) {
  CheckSlot(i);
  if (FRoleFlags[i] == flags) return;
  // The strength stays the sum of the slot ratings in the slots' roles.
  const int64_t before = SlotUnits(i);
  const int64_t after = UnitsOf(GetSlot(i), flags);
  FRoleFlags[i] = flags;
  StrengthOf(i) += after - before;
}

void TTeam::SetAllRoleFlags(const TRoleArray& roles) {
  for (int i = 0; i < SlotCount; ++i) SetRoleFlags(i, roles[i]);
}

void TTeam::SetFixedRoles() {
  SetRoleFlags(KeeperSlot, rfKeeper);
  SetRoleFlags(11, rfCentralDefender);
  SetRoleFlags(12, rfInnerMidfielder);
  SetRoleFlags(13, rfWinger);
  SetRoleFlags(14, rfForward);
  SetRoleFlags(SubstituteKeeperSlot, rfKeeper);
}

bool TTeam::IsFormationCode(int code) { return FindFormation(code) != nullptr; }

bool TTeam::SetFormation(int code) {
  SetFixedRoles();
  const TFormation* formation = FindFormation(code);
  if (!formation) return false;
  for (int slot = 1; slot <= LastStarterSlot; ++slot) SetRoleFlags(slot, formation->Roles[slot - 1]);
  return true;
}

int TTeam::BetterOfSwap(int i, int j) const {
  const int64_t kept = SlotUnits(i) + SlotUnits(j);
  const int64_t swapped = UnitsOf(GetSlot(i), FRoleFlags[j]) + UnitsOf(GetSlot(j), FRoleFlags[i]);
  return kept - swapped >= 0 ? i : j;
}

void TTeam::Swap(int i, int j) {
  CheckSlot(i);
  CheckSlot(j);
  if (i == j) return;
  const int64_t keptI = SlotUnits(i), keptJ = SlotUnits(j);
  const int64_t movedI = UnitsOf(GetSlot(j), FRoleFlags[i]), movedJ = UnitsOf(GetSlot(i), FRoleFlags[j]);
  std::swap(FPlayers[i], FPlayers[j]);
  StrengthOf(i) += movedI - keptI;
  StrengthOf(j) += movedJ - keptJ;
}

void TTeam::Optimise(bool bench) {
  const int first = bench ? 11 : 1;
  const int last = bench ? 14 : LastStarterSlot;
  const int n = last - first + 1;
  constexpr int MaxRange = 10;

  // Each player's units in each distinct role of the range, rated once; the passes then work on integers
  // and on who sits where, and the players move only at the end.
  uint8_t roles[MaxRange];
  int roleCount = 0;
  int roleOfSlot[MaxRange];
  for (int a = 0; a < n; ++a) {
    const uint8_t flags = FRoleFlags[first + a];
    int r = 0;
    while (r < roleCount && roles[r] != flags) ++r;
    if (r == roleCount) roles[roleCount++] = flags;
    roleOfSlot[a] = r;
  }
  bool movable[MaxRange];
  int64_t units[MaxRange][MaxRange];
  int seat[MaxRange];  // seat[a]: the range index of the player who now sits in slot first + a
  for (int a = 0; a < n; ++a) {
    TPlayer* player = FPlayers[first + a].get();
    movable[a] = player && !player->InLineup;
    seat[a] = a;
    if (movable[a])
      for (int r = 0; r < roleCount; ++r) units[a][r] = UnitsOf(player, roles[r]);
  }

  int64_t gain = 0;
  bool swapped;
  do {
    swapped = false;
    for (int i = 0; i < n; ++i) {
      if (!movable[i]) continue;
      for (int j = i + 1; j < n; ++j) {
        if (!movable[j] || roleOfSlot[i] == roleOfSlot[j]) continue;
        const int64_t kept = units[seat[i]][roleOfSlot[i]] + units[seat[j]][roleOfSlot[j]];
        const int64_t exchanged = units[seat[i]][roleOfSlot[j]] + units[seat[j]][roleOfSlot[i]];
        // Only a strict gain swaps: ties keep the current assignment, and every swap raises the integer
        // sum, so the passes end.
        if (exchanged > kept) {
          std::swap(seat[i], seat[j]);
          gain += exchanged - kept;
          swapped = true;
        }
      }
    }
  } while (swapped);

  if (gain == 0) return;
  std::array<std::unique_ptr<TPlayer>, MaxRange> taken;
  for (int a = 0; a < n; ++a)
    if (movable[a]) taken[a] = std::move(FPlayers[first + a]);
  for (int a = 0; a < n; ++a)
    if (movable[a]) FPlayers[first + a] = std::move(taken[seat[a]]);
  (bench ? FBenchUnits : FStarterUnits) += gain;
}

int TTeam::WingPositions() const {
  int n = 0;
  for (int slot = 1; slot <= LastStarterSlot; ++slot)
    if (FRoleFlags[slot] & (rfWinger | rfWingBack)) ++n;
  return n;
}

double TTeam::AdjustedStrength() const {
  const int n = WingPositions();
  const double strength = StarterStrength();
  return n > 2 ? strength : strength * (1 - (3 - n) * 0.1);
}

int64_t TTeam::AdjustedStrengthUnits() const {
  const int n = WingPositions();
  return FStarterUnits * (n > 2 ? 10 : 7 + n);
}

void TTeam::ChooseCaptainAndSetPiecesTaker() {
  TPlayer* captain = nullptr;
  TPlayer* taker = nullptr;
  for (int slot = 0; slot <= LastStarterSlot; ++slot) {
    TPlayer* player = FPlayers[slot].get();
    if (!player) continue;
    if (!captain) {
      captain = taker = player;
      continue;
    }
    const double experience = player->GetValue(paExperience);
    const double captainExperience = captain->GetValue(paExperience);
    const double value = 1.5 * experience + player->GetValue(paLeadership);
    const double captainValue = 1.5 * captainExperience + captain->GetValue(paLeadership);
    if (value > captainValue || (value == captainValue && experience > captainExperience)) captain = player;

    const int64_t setPieces = Hundredths(player->GetSetPiecesRating());
    const int64_t takerSetPieces = Hundredths(taker->GetSetPiecesRating());
    if (setPieces > takerSetPieces) {
      taker = player;
    } else if (setPieces == takerSetPieces) {
      // The keeper and a header specialist are better used elsewhere at a set piece.
      if (taker == FPlayers[KeeperSlot].get() || taker->Specialty == 5 ||
          experience > taker->GetValue(paExperience))
        taker = player;
    }
  }
  FCaptain = captain;
  FSetPiecesTaker = taker;
}

int TTeam::IndexOfPlayerID(int32_t id) const {
  for (int slot = 0; slot < SlotCount; ++slot)
    if (FPlayers[slot] && FPlayers[slot]->PlayerID == int64_t(id)) return slot;
  return -1;
}

uint8_t TTeam::RoleFlagsOfPlayer(int32_t id) const {
  const int slot = IndexOfPlayerID(id);
  return slot < 0 ? 0 : FRoleFlags[slot];
}

double TTeam::RoleRatingOfPlayer(int32_t id) const {
  try {
    const int slot = IndexOfPlayerID(id);
    return slot < 0 ? 0 : FPlayers[slot]->GetRoleRating(FRoleFlags[slot]);
  } catch (const std::exception&) {
    return 0;
  }
}

std::unique_ptr<TTeam> TTeam::Clone() const {
  auto team = std::make_unique<TTeam>(FRoleFlags, Weather, IncludeTraining, IgnoreForm);
  for (int slot = 0; slot < SlotCount; ++slot) {
    if (!FPlayers[slot]) continue;
    team->PutSlot(slot, FPlayers[slot]->Clone());
    if (FCaptain == FPlayers[slot].get()) team->FCaptain = team->FPlayers[slot].get();
    if (FSetPiecesTaker == FPlayers[slot].get()) team->FSetPiecesTaker = team->FPlayers[slot].get();
  }
  team->Tag = Tag;
  team->Tag2 = Tag2;
  team->FStarterUnits = FStarterUnits;
  team->FBenchUnits = FBenchUnits;
  return team;
}
