// The own club's week: matches with lineups chosen from the squad, training by the game's weekly
// progress rule, injuries, cards, form, birthdays, transfers, the economy, the arena and the staff.
#include "demo/WorldDate.h"
#include "demo/WorldState.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int SkillStamina = 0, SkillPlaymaking = 1, SkillWinger = 2, SkillScoring = 3, SkillKeeper = 4,
              SkillPassing = 5, SkillDefending = 6, SkillSetPieces = 7;

// The skill a player of each natural role is known for.
const int MainSkillOfRole[] = {SkillKeeper, SkillDefending, SkillDefending, SkillPlaymaking, SkillWinger, SkillScoring};

struct TFormation {
  int Code;
  const char* Name;
  int ExtraSlot;       // the slot whose player moves to another line (0 = none)
  int ExtraBehaviour;  // 5 extra forward, 6 extra inner midfielder, 7 extra defender
};
const TFormation Formations[] = {{442, "4-4-2", 0, 0},  {352, "3-5-2", 3, 6},  {451, "4-5-1", 11, 6},
                                 {532, "5-3-2", 8, 7},  {433, "4-3-3", 8, 5},  {343, "3-4-3", 3, 5},
                                 {541, "5-4-1", 11, 7}};
const int SlotRoles[] = {RoleKeeper, RoleWingBack, RoleDefender, RoleDefender, RoleWingBack, RoleWinger,
                         RoleInner,  RoleInner,    RoleWinger,   RoleForward,  RoleForward};

int RoleOfBehaviour(int behaviour, int slotRole) {
  return behaviour == 5 ? RoleForward : behaviour == 6 ? RoleInner : behaviour == 7 ? RoleDefender : slotRole;
}

// Weeks for one level at full intensity, age 17, coach level 7, without stamina share; by position group
// (1 keeper .. 6 forward), training type and skill (index as in TSampleSkills). 0 = not trained.
double BaseWeeks(int group, int type, int skill) {
  switch (type) {
    case 1: return skill == SkillStamina ? 1.2 : 0;
    case 2: return skill == SkillSetPieces ? 2.0 : 0;
    case 3: return skill == SkillDefending && (group == 2 || group == 3) ? 8.0 : 0;
    case 4: return skill == SkillScoring && group == 6 ? 6.5 : 0;
    case 5: return skill == SkillWinger ? (group == 3 ? 10.0 : group == 5 ? 5.0 : 0) : 0;
    case 6:
      if (group < 2) return 0;
      return skill == SkillScoring ? 13.0 : skill == SkillSetPieces ? 6.0 : 0;
    case 7: return skill == SkillPassing && group >= 4 ? 6.4 : 0;
    case 8: return skill == SkillPlaymaking ? (group == 4 ? 7.0 : group == 5 ? 14.0 : 0) : 0;
    case 9: return skill == SkillKeeper && group == 1 ? 5.0 : 0;
    case 10: return skill == SkillPassing && group >= 2 && group <= 5 ? 7.3 : 0;
    case 12: return skill == SkillWinger && (group == 5 || group == 6) ? 8.5 : 0;
    default: return 0;
  }
}

int GroupOfPosition(int code) {
  switch (code) {
    case 1: return 1;
    case 3: case 4: return 2;
    case 2: case 5: return 3;
    case 7: case 8: return 4;
    case 6: case 9: return 5;
    default: return 6;
  }
}

// The game's weekly progress of one skill (skill index as in TSampleSkills; the program's training estimate
// follows the same rule).
double TrainingIncrement(int skill, int position, int staminaPart, int level, int coach, int type, int age) {
  const double base = BaseWeeks(GroupOfPosition(position), type, skill);
  if (base == 0) return 0;
  double weeks = base;
  if (type != 1 && type != 2) {
    const double f = coach < 8 ? std::pow(1.08, 7 - coach) : std::pow(1.08, -0.5);
    weeks = base * std::pow(1.07, age - 17) * f;
  }
  const double x = (level / 100.0) * ((100.0 - staminaPart) / 100.0) * (1.0 / weeks);
  return std::round(x * 10000.0) / 10000.0;
}

// Skills that each training type trains.
std::vector<int> TrainedSkills(int type) {
  switch (type) {
    case 1: return {SkillStamina};
    case 2: return {SkillSetPieces};
    case 3: return {SkillDefending};
    case 4: return {SkillScoring};
    case 5: return {SkillWinger};
    case 6: return {SkillScoring, SkillSetPieces};
    case 7: return {SkillPassing};
    case 8: return {SkillPlaymaking};
    case 9: return {SkillKeeper};
    case 10: return {SkillPassing};
    case 12: return {SkillWinger};
    default: return {};
  }
}

int MaxSkill(int skill) { return skill == SkillStamina ? 9 : 20; }

double Suitability(const TWorldPlayer& p, int role) {
  const auto& s = p.Skills;
  double v = 0;
  switch (role) {
    case RoleKeeper: v = s[SkillKeeper] + 0.2 * s[SkillDefending]; break;
    case RoleDefender: v = s[SkillDefending] + 0.15 * s[SkillPlaymaking]; break;
    case RoleWingBack: v = 0.8 * s[SkillDefending] + 0.4 * s[SkillWinger]; break;
    case RoleInner: v = s[SkillPlaymaking] + 0.3 * s[SkillPassing] + 0.15 * s[SkillDefending]; break;
    case RoleWinger: v = s[SkillWinger] + 0.4 * s[SkillPlaymaking]; break;
    default: v = s[SkillScoring] + 0.4 * s[SkillPassing]; break;
  }
  return v * (0.85 + 0.03 * p.Form);
}

int MainLevel(const TWorldPlayer& p) {
  return std::max({p.Skills[SkillPlaymaking], p.Skills[SkillWinger], p.Skills[SkillScoring], p.Skills[SkillKeeper],
                   p.Skills[SkillPassing], p.Skills[SkillDefending]});
}

int64_t PriceOf(const TWorldPlayer& p) {
  const double main = MainLevel(p);
  return 20000 + static_cast<int64_t>(main * main * main * 350) / 10 * 10;
}

int ClampInt(int64_t v, int64_t lo, int64_t hi) { return static_cast<int>(std::clamp(v, lo, hi)); }

// The half-season training plan of the manager.
struct TTrainingPlan {
  int Type, Level, StaminaPart;
};
TTrainingPlan PlanTraining(uint64_t seed, int week) {
  static const int types[] = {8, 8, 8, 8, 8, 4, 4, 4, 4, 12, 12, 3, 3, 3, 7, 7, 7, 10, 10, 5, 5, 9, 6, 2, 1, 11, 0};
  const int season = week / 16, half = (week % 16) / 8;
  auto season_r = TWorldRandom::For({seed, 0x5452u, static_cast<uint64_t>(season)});
  TTrainingPlan plan;
  const int first = types[season_r.Int(0, static_cast<int>(std::size(types)) - 1)];
  const int second = season_r.Chance(0.5) ? first : types[season_r.Int(0, static_cast<int>(std::size(types)) - 1)];
  plan.Type = half == 0 ? first : second;
  plan.Level = season_r.Chance(0.85) ? 100 : season_r.Int(80, 95);
  plan.StaminaPart = season_r.Int(5, 20);
  return plan;
}

}  // namespace

TWorldPlayer TSampleWorldState::NewPlayer(int role, int age, int level, TWorldRandom& r, bool foreign) {
  TWorldPlayer p;
  NextPlayerID += r.Int(1, 40000);
  p.PlayerID = NextPlayerID;
  const int countries = static_cast<int>(WorldCountries().size());
  int country = OwnCountry;
  if (foreign)
    do country = r.Int(0, countries - 1);
    while (country == OwnCountry);
  p.CountryID = WorldCountries()[static_cast<size_t>(country)].CountryID;
  p.Name = MakePersonName(country, r);
  p.Age = age;
  p.BirthdayRound = r.Int(1, RoundsPerSeason);
  p.Role = role;
  auto& s = p.Skills;
  for (int k = 0; k < SampleSkillCount; ++k) s[static_cast<size_t>(k)] = r.Int(1, 4);
  s[SkillKeeper] = role == RoleKeeper ? 0 : r.Int(0, 1);
  s[SkillStamina] = r.Int(4, 8);
  s[SkillSetPieces] = r.Int(1, 7);
  auto set = [&](int skill, int value) { s[static_cast<size_t>(skill)] = std::clamp(value, 1, 20); };
  set(MainSkillOfRole[role], level + r.Int(-1, 1));
  switch (role) {
    case RoleKeeper:
      for (int k : {SkillPlaymaking, SkillWinger, SkillScoring, SkillPassing, SkillDefending}) set(k, r.Int(1, 3));
      set(SkillSetPieces, r.Int(3, 9));
      break;
    case RoleDefender:
      set(SkillPlaymaking, level - r.Int(2, 4));
      set(SkillPassing, level - r.Int(3, 5));
      break;
    case RoleWingBack:
      set(SkillWinger, level - r.Int(1, 3));
      set(SkillPlaymaking, level - r.Int(3, 5));
      break;
    case RoleInner:
      set(SkillPassing, level - r.Int(1, 3));
      set(SkillDefending, level - r.Int(2, 4));
      set(SkillWinger, level - r.Int(4, 6));
      break;
    case RoleWinger:
      set(SkillPlaymaking, level - r.Int(2, 4));
      set(SkillPassing, level - r.Int(3, 5));
      break;
    default:
      set(SkillPassing, level - r.Int(2, 4));
      set(SkillWinger, level - r.Int(4, 6));
      break;
  }
  for (auto& progress : p.Progress) progress = std::round(r.Real() * 60) / 100;
  p.Form = r.Int(3, 7);
  p.Experience = std::clamp((age - 17) / 3 + r.Int(0, 2), 1, 14);
  p.Leadership = r.Int(2, 6);
  p.Specialty = r.Chance(0.5) ? 0 : r.Int(1, 6);
  p.Agreeability = r.Int(0, 5);
  p.Honesty = r.Int(0, 5);
  p.Aggressiveness = r.Int(0, 4);
  const int seasonsPlayed = std::max(0, age - 18);
  const int scoring = role == RoleForward ? 9 : role == RoleWinger || role == RoleInner ? 4 : role == RoleKeeper ? 0 : 1;
  p.CareerGoals = r.Int(0, seasonsPlayed * scoring);
  p.CareerKickvales = p.CareerGoals > 40 ? r.Int(0, 2) : 0;
  UpdateValues(p);
  return p;
}

TWorldPlayer TSampleWorldState::NewCoach(TWorldRandom& r) {
  TWorldPlayer p = NewPlayer(RoleInner, r.Int(38, 52), 4, r, r.Chance(0.3));
  for (auto& s : p.Skills) s = std::min(s, 5);
  p.Skills[SkillKeeper] = 1;
  p.Progress = {};
  p.Form = 6;
  p.Experience = r.Int(10, 15);
  p.Leadership = r.Int(5, 8);
  p.Specialty = 0;
  p.Coach = true;
  p.TrainerType = r.Int(0, 2);
  p.TrainerSkill = r.Int(6, 8);
  UpdateValues(p);
  return p;
}

void TSampleWorldState::UpdateValues(TWorldPlayer& p) const {
  const double main = MainLevel(p);
  if (p.Coach) {
    p.TSI = 200 + 10 * p.Experience;
    p.Salary = 20000 + 6000 * p.TrainerSkill;
    return;
  }
  const double ageFactor = p.Age <= 27 ? 1.0 : std::pow(0.92, p.Age - 27);
  const double tsi = 35.0 * std::pow(main, 2.6) * (0.8 + 0.04 * p.Form) * ageFactor *
                     (0.9 + 0.015 * p.Skills[SkillStamina]);
  p.TSI = ClampInt(std::llround(tsi), 10, 2000000);
  const bool foreign = p.CountryID != WorldCountries()[static_cast<size_t>(OwnCountry)].CountryID;
  const double salary = (5000 + 11.0 * std::pow(main, 3.1)) * (foreign ? 1.2 : 1.0);
  p.Salary = ClampInt(std::llround(salary / 10) * 10, 5000, 5000000);
}

void TSampleWorldState::JoinSquad(TWorldPlayer player) {
  TSamplePlayerHistory history;
  history.PlayerID = player.PlayerID;
  history.Name = player.Name.Full();
  history.Coach = player.Coach;
  player.HistoryIndex = Info.Players.size();
  Info.Players.push_back(std::move(history));
  Squad.push_back(std::move(player));
}

void TSampleWorldState::LeaveSquad(size_t index, bool sold) {
  if (sold) WeekTransfersOut += PriceOf(Squad[index]) * 8 / 10;
  Squad.erase(Squad.begin() + static_cast<std::ptrdiff_t>(index));
}

void TSampleWorldState::CreateSquad() {
  auto& r = Random;
  NextPlayerID = 300000000 + static_cast<int64_t>(TWorldRandom::Hash({Seed, 0x49u}) % 50000000);
  JoinSquad(NewCoach(r));
  CoachArrival = SaturdayOfWeek(0) - r.Int(30, 400);
  const int roles[] = {RoleKeeper, RoleKeeper, RoleDefender, RoleDefender, RoleDefender, RoleDefender,
                       RoleWingBack, RoleWingBack, RoleWingBack, RoleInner, RoleInner, RoleInner, RoleInner,
                       RoleInner, RoleWinger, RoleWinger, RoleWinger, RoleWinger, RoleForward, RoleForward,
                       RoleForward, RoleForward};
  for (int role : roles) {
    const int age = 17 + std::min(r.Int(0, 15), r.Int(0, 15));  // more young players than old ones
    const int level = std::clamp(5 + (age - 17) / 3 + r.Int(-1, 1), 4, 10);
    JoinSquad(NewPlayer(role, age, level, r, r.Chance(0.3)));
  }
  auto& own = Teams[static_cast<size_t>(OwnTeam)];
  Arena.Terraces = own.Capacity * 6 / 10;
  Arena.Basic = own.Capacity * 25 / 100;
  Arena.Roof = own.Capacity * 13 / 100;
  Arena.VIP = own.Capacity - Arena.Terraces - Arena.Basic - Arena.Roof;
  Arena.RebuiltDay = SaturdayOfWeek(0) - r.Int(100, 900);
  Cash = r.Int(800, 4000) * 1000;
  FanClubSize = r.Int(300, 1500);
  SponsorsPopularity = r.Int(3, 7);
  SupportersPopularity = r.Int(3, 7);
  Specialists = {r.Int(0, 2), r.Int(0, 3), r.Int(0, 2), r.Int(0, 1), r.Int(0, 2), r.Int(0, 2), r.Int(0, 2)};
  YouthLevel = r.Int(1, 4);
  for (const auto& f : Formations) FormationExperience[f.Code] = f.Code == 442 ? r.Int(5, 8) : r.Int(1, 4);
  // The week before the first one, so that the first download has last week's figures too.
  WeekGate = r.Int(150, 400) * 1000;
  UpdateEconomy();
}

void TSampleWorldState::PickLineup(TWorldSide& side, int matchType, TWorldRandom& r, int formationIndex) {
  const auto& formation = Formations[formationIndex];
  const bool official = matchType <= 3;
  std::vector<bool> used(Squad.size(), false);
  auto eligible = [&](size_t i, bool strict) {
    const auto& p = Squad[i];
    if (used[i] || p.Coach) return false;
    if (!strict) return true;
    return p.InjuryLevel <= 0 && !(matchType == 1 && p.Suspended > 0);
  };
  // In friendlies the manager gives the week's training to his young players: they get the places that
  // the training type trains.
  auto trainingBonus = [&](const TWorldPlayer& p, int role) {
    static const int positionOfRole[] = {1, 3, 2, 7, 6, 10};
    if (official || p.Age > 25) return 0.0;
    for (int skill : TrainedSkills(TrainingType))
      if (TrainingType > 2 && BaseWeeks(GroupOfPosition(positionOfRole[role]), TrainingType, skill) > 0) return 4.0;
    return 0.0;
  };
  auto best = [&](int role, double noise) -> int {
    for (bool strict : {true, false}) {
      int pick = -1;
      double value = -1;
      for (size_t i = 0; i < Squad.size(); ++i) {
        if (!eligible(i, strict)) continue;
        const double v = Suitability(Squad[i], role) + trainingBonus(Squad[i], role) + r.Real() * noise;
        if (v > value) {
          value = v;
          pick = static_cast<int>(i);
        }
      }
      if (pick >= 0) return pick;
    }
    return -1;
  };
  auto entryOf = [&](int index, int roleID, int position, int behaviour, double stars) {
    const auto& p = Squad[static_cast<size_t>(index)];
    TWorldLineupEntry e;
    e.PlayerID = p.PlayerID;
    e.FirstName = p.Name.First;
    e.LastName = p.Name.Last;
    e.RoleID = roleID;
    e.PositionCode = position;
    e.Behaviour = behaviour;
    e.Stars = stars;
    return e;
  };
  auto starsOf = [&](int index, int role) {
    const double v = Suitability(Squad[static_cast<size_t>(index)], role) * 0.48 + r.Real() - 0.5;
    return std::clamp(std::round(v * 2) / 2, 1.0, 9.0);
  };
  const double noise = official ? 0.3 : 2.5;
  std::array<int, 12> slotPlayer{};
  std::array<int, 12> slotRole{};
  std::array<int, 12> slotBehaviour{};
  for (int slot : {1, 3, 4, 7, 8, 10, 11, 2, 5, 6, 9}) {
    int behaviour = 0;
    if (slot == formation.ExtraSlot) behaviour = formation.ExtraBehaviour;
    else {
      const int x = r.Int(0, 99);
      switch (SlotRoles[slot - 1]) {
        case RoleWingBack: behaviour = x < 10 ? 1 : x < 20 ? 2 : 0; break;
        case RoleWinger: behaviour = x < 15 ? 3 : x < 20 ? 1 : 0; break;
        case RoleInner: behaviour = x < 10 ? 1 : x < 20 ? 2 : 0; break;
        case RoleForward: behaviour = x < 10 ? 2 : x < 15 ? 4 : 0; break;
        default: break;
      }
    }
    const int role = RoleOfBehaviour(behaviour, SlotRoles[slot - 1]);
    const int index = best(role, noise);
    used[static_cast<size_t>(index)] = true;
    slotPlayer[static_cast<size_t>(slot)] = index;
    slotRole[static_cast<size_t>(slot)] = role;
    slotBehaviour[static_cast<size_t>(slot)] = behaviour;
  }
  std::vector<TWorldLineupEntry> field;
  for (int slot = 1; slot <= 11; ++slot) {
    const int index = slotPlayer[static_cast<size_t>(slot)];
    field.push_back(entryOf(index, slot, slot, slotBehaviour[static_cast<size_t>(slot)],
                            starsOf(index, slotRole[static_cast<size_t>(slot)])));
  }
  // The bench: a keeper, a defender, an inner midfielder, a winger and a forward (RoleID 12..16).
  const int benchRoles[] = {RoleKeeper, RoleDefender, RoleInner, RoleWinger, RoleForward};
  std::vector<std::pair<int, TWorldLineupEntry>> bench;  // squad index, entry
  for (int k = 0; k < 5; ++k) {
    const int index = best(benchRoles[k], 0.1);
    if (index < 0 || Squad[static_cast<size_t>(index)].InjuryLevel > 0) continue;
    used[static_cast<size_t>(index)] = true;
    bench.push_back({index, entryOf(index, 12 + k, 12 + k, 0, 0)});
  }
  // Substitutions: a bench player takes the place of a field player of his line; the replaced player
  // is listed after the captain (RoleID 19..21) with the position he played.
  std::vector<TWorldLineupEntry> replaced;
  const int substitutions = official ? r.Int(0, 2) : r.Int(1, 3);
  std::vector<bool> changed(12, false);
  for (int s = 0; s < substitutions && !bench.empty(); ++s) {
    const auto& [index, entry] = bench[static_cast<size_t>(r.Int(0, static_cast<int>(bench.size()) - 1))];
    std::vector<int> slots;
    switch (entry.RoleID) {
      case 13: slots = {2, 3, 4, 5}; break;
      case 14: slots = {7, 8}; break;
      case 15: slots = {6, 9}; break;
      case 16: slots = {10, 11}; break;
      default: break;
    }
    bool inField = false;
    for (const auto& f : field) inField |= f.PlayerID == entry.PlayerID;
    slots.erase(std::remove_if(slots.begin(), slots.end(), [&](int slot) { return changed[static_cast<size_t>(slot)]; }),
                slots.end());
    if (slots.empty() || inField) continue;
    const int slot = slots[static_cast<size_t>(r.Int(0, static_cast<int>(slots.size()) - 1))];
    changed[static_cast<size_t>(slot)] = true;
    TWorldLineupEntry out = field[static_cast<size_t>(slot - 1)];
    out.RoleID = 19 + static_cast<int>(replaced.size());
    replaced.push_back(out);
    field[static_cast<size_t>(slot - 1)] = entryOf(index, slot, slot, out.Behaviour, starsOf(index, slotRole[static_cast<size_t>(slot)]));
  }
  side.Lineup = field;
  for (auto& b : bench) side.Lineup.push_back(b.second);
  // Set pieces and captain, from the players on the field at the end.
  auto findSquad = [&](int64_t id) -> const TWorldPlayer& {
    for (const auto& p : Squad)
      if (p.PlayerID == id) return p;
    return Squad.front();
  };
  const TWorldLineupEntry* setPieces = &field[1];
  const TWorldLineupEntry* captain = &field[1];
  for (const auto& f : field) {
    const auto& p = findSquad(f.PlayerID);
    if (p.Skills[SkillSetPieces] > findSquad(setPieces->PlayerID).Skills[SkillSetPieces]) setPieces = &f;
    const auto& c = findSquad(captain->PlayerID);
    if (1.5 * p.Experience + p.Leadership > 1.5 * c.Experience + c.Leadership) captain = &f;
  }
  for (auto [roleID, from] : {std::make_pair(17, setPieces), std::make_pair(18, captain)}) {
    TWorldLineupEntry e;
    e.PlayerID = from->PlayerID;
    e.FirstName = from->FirstName;
    e.LastName = from->LastName;
    e.RoleID = roleID;
    side.Lineup.push_back(e);
  }
  side.Lineup.insert(side.Lineup.end(), replaced.begin(), replaced.end());
  side.Formation = formation.Name;
  // Sector ratings from the eleven on the field (quarter levels 1..80).
  double sums[6] = {}, counts[6] = {};
  double mid = 0, rightDef = 0, leftDef = 0, rightAtt = 0, leftAtt = 0, keeper = 0;
  for (int slot = 1; slot <= 11; ++slot) {
    const auto& p = findSquad(field[static_cast<size_t>(slot - 1)].PlayerID);
    const int role = slotRole[static_cast<size_t>(slot)];
    const double form = 0.85 + 0.03 * p.Form;
    sums[role] += Suitability(p, role);
    counts[role] += 1;
    if (role == RoleInner) mid += p.Skills[SkillPlaymaking] * form;
    if (role == RoleWinger) mid += 0.35 * p.Skills[SkillPlaymaking] * form;
    if (role == RoleKeeper) keeper = p.Skills[SkillKeeper] * form;
    if (slot == 2) rightDef += 0.5 * p.Skills[SkillDefending] * form;
    if (slot == 5) leftDef += 0.5 * p.Skills[SkillDefending] * form;
    if (slot == 6) rightAtt += 0.5 * p.Skills[SkillWinger] * form;
    if (slot == 9) leftAtt += 0.5 * p.Skills[SkillWinger] * form;
  }
  auto avg = [&](int role) { return counts[role] > 0 ? sums[role] / counts[role] : 0.0; };
  const double defence = avg(RoleDefender), attack = avg(RoleForward);
  const double levels[7] = {
      mid / std::max(1.0, counts[RoleInner] + 0.7 * counts[RoleWinger] - 0.6) + 0.6 * (counts[RoleInner] - 2),
      rightDef + 0.3 * defence + 0.2 * keeper + 0.4 * (counts[RoleDefender] - 2),
      0.6 * defence + 0.25 * keeper + 0.15 * avg(RoleInner) + 0.6 * (counts[RoleDefender] - 2),
      leftDef + 0.3 * defence + 0.2 * keeper + 0.4 * (counts[RoleDefender] - 2),
      rightAtt + 0.35 * attack + 0.15 * avg(RoleInner) + 0.4 * (counts[RoleForward] - 2),
      0.75 * attack + 0.25 * avg(RoleInner) + 0.6 * (counts[RoleForward] - 2),
      leftAtt + 0.35 * attack + 0.15 * avg(RoleInner) + 0.4 * (counts[RoleForward] - 2)};
  for (int k = 0; k < 7; ++k)
    side.Ratings[static_cast<size_t>(k)] = std::clamp(static_cast<int>(std::lround(4 * levels[k])) - 2 + r.Int(0, 2), 1, 80);
  std::vector<int> experiences;
  for (const auto& f : field) experiences.push_back(findSquad(f.PlayerID).Experience);
  std::sort(experiences.rbegin(), experiences.rend());
  side.ExperienceLevel = std::clamp((experiences[0] + experiences[1] + experiences[2]) / 3, 1, 20);
}

void TSampleWorldState::PlayOwnMatch(TWorldMatch& m, bool home, int opponentIndex) {
  auto& r = Random;
  const int seasonIndex = m.Week / RoundsPerSeason;
  TWorldSide& own = home ? m.Home : m.Away;
  TWorldSide& opp = home ? m.Away : m.Home;
  const auto& ownTeam = Teams[static_cast<size_t>(OwnTeam)];
  const auto& oppTeam = Teams[static_cast<size_t>(opponentIndex)];
  own.TeamID = ownTeam.TeamID;
  own.TeamName = ownTeam.Name;
  const int x = r.Int(0, 99);
  const int formationIndex = x < 58 ? 0 : x < 70 ? 1 : x < 78 ? 2 : x < 86 ? 3 : x < 92 ? 4 : x < 96 ? 5 : 6;
  PickLineup(own, m.MatchType, r, formationIndex);
  FillRosterSide(opp, opponentIndex, seasonIndex, r);
  const int attitude = r.Int(0, 99);
  own.Attitude = m.MatchType != 1 ? 0 : attitude < 4 ? 1 : attitude < 11 ? -1 : 0;
  const int tactic = r.Int(0, 99);
  own.TacticType = tactic < 68 ? 0 : tactic < 76 ? 1 : tactic < 86 ? 2 : tactic < 93 ? 3 : 4;
  own.TacticSkill = own.TacticType == 0 ? 0 : std::clamp(own.ExperienceLevel + r.Int(1, 5), 1, 20);
  if (*own.Attitude == 1) own.Ratings[RatingMidfield] = std::min(80, own.Ratings[RatingMidfield] * 115 / 100);
  if (*own.Attitude == -1) own.Ratings[RatingMidfield] = std::max(1, own.Ratings[RatingMidfield] * 85 / 100);

  // Goals: chances follow the midfield, their use the attack against the defence.
  const double om = own.Ratings[RatingMidfield], pm = opp.Ratings[RatingMidfield];
  const double share = std::clamp(om * om / (om * om + pm * pm), 0.25, 0.75);
  auto avg3 = [](const TWorldSide& s, int a, int b, int c) {
    return (s.Ratings[static_cast<size_t>(a)] + s.Ratings[static_cast<size_t>(b)] + s.Ratings[static_cast<size_t>(c)]) / 3.0;
  };
  const double ownAtt = avg3(own, RatingRightAtt, RatingMidAtt, RatingLeftAtt);
  const double ownDef = avg3(own, RatingRightDef, RatingMidDef, RatingLeftDef);
  const double oppAtt = avg3(opp, RatingRightAtt, RatingMidAtt, RatingLeftAtt);
  const double oppDef = avg3(opp, RatingRightDef, RatingMidDef, RatingLeftDef);
  own.Goals = std::min(9, r.Poisson(2.7 * share * std::pow(ownAtt / oppDef, 1.3) * (home ? 1.06 : 1.0)));
  opp.Goals = std::min(9, r.Poisson(2.7 * (1 - share) * std::pow(oppAtt / ownDef, 1.3) * (home ? 1.0 : 1.06)));
  if (m.MatchType == 3 && own.Goals == opp.Goals) {  // cup: extra time decides
    if (r.Chance(share)) ++own.Goals;
    else ++opp.Goals;
  }
  const int possession = std::clamp(static_cast<int>(std::lround(share * 100)), 25, 75);
  const int homePossession = home ? possession : 100 - possession;
  m.PossessionFirstHome = std::clamp(homePossession + r.Int(-4, 4), 20, 80);
  m.PossessionSecondHome = std::clamp(homePossession + r.Int(-4, 4), 20, 80);
  m.WeatherID = r.Int(0, 3);
  if (home) {
    m.ArenaID = ownTeam.ArenaID;
    m.ArenaName = ownTeam.ArenaName;
    const double demand = FanClubSize * 9.0 + 4000 + 800 * SupportersPopularity + (m.MatchType == 3 ? 3000 : 0) -
                          (m.MatchType >= 4 ? 5000 : 0);
    const double fill = std::clamp(demand / std::max(1, Arena.Total()), 0.2, 1.0);
    m.SoldTerraces = static_cast<int>(Arena.Terraces * std::min(1.0, fill * 1.05));
    m.SoldBasic = static_cast<int>(Arena.Basic * fill);
    m.SoldRoof = static_cast<int>(Arena.Roof * std::min(1.0, fill * 0.97));
    m.SoldVIP = static_cast<int>(Arena.VIP * std::min(1.0, fill * 0.9));
    m.SoldTotal = m.SoldTerraces + m.SoldBasic + m.SoldRoof + m.SoldVIP;
    int64_t gate = int64_t{35} * m.SoldTerraces + int64_t{50} * m.SoldBasic + int64_t{95} * m.SoldRoof + int64_t{175} * m.SoldVIP;
    if (m.MatchType >= 4) gate /= 2;
    WeekGate += gate;
  } else {
    m.ArenaID = oppTeam.ArenaID;
    m.ArenaName = oppTeam.ArenaName;
    m.SoldTotal = oppTeam.Capacity * r.Int(50, 100) / 100;
    m.SoldVIP = m.SoldTotal / 60;
    m.SoldRoof = m.SoldTotal / 7;
    m.SoldBasic = m.SoldTotal / 4;
    m.SoldTerraces = m.SoldTotal - m.SoldVIP - m.SoldRoof - m.SoldBasic;
  }
  AddScorers(m, m.Home, true, m.Home.Goals, r);
  AddScorers(m, m.Away, false, m.Away.Goals, r);

  // What the match does to the own players.
  auto squadIndex = [&](int64_t id) -> int {
    for (size_t i = 0; i < Squad.size(); ++i)
      if (Squad[i].PlayerID == id) return static_cast<int>(i);
    return -1;
  };
  if (m.MatchType == 1)
    for (auto& p : Squad)
      if (p.Suspended > 0) --p.Suspended;
  std::vector<int> played;
  for (const auto& e : own.Lineup)
    if ((e.RoleID <= 11 || e.RoleID >= 19) && std::find(played.begin(), played.end(), squadIndex(e.PlayerID)) == played.end())
      played.push_back(squadIndex(e.PlayerID));
  const double experience = m.MatchType == 1 ? 1.0 : m.MatchType == 3 ? 1.2 : m.MatchType >= 8 ? 0.3 : 0.2;
  for (int index : played) {
    auto& p = Squad[static_cast<size_t>(index)];
    p.ExperiencePoints += experience;
    if (r.Chance(0.05)) {
      const bool red = r.Chance(0.08);
      m.Bookings.push_back({p.PlayerID, p.Name.Full(), own.TeamID, r.Int(3, 90), red ? 2 : 1, 0, 0});
      if (m.MatchType == 1 || m.MatchType == 3) {
        if (red) p.Suspended = 1;
        else if (++p.Cards >= 3) {
          p.Cards = 0;
          p.Suspended = 1;
        }
      }
    }
    if (r.Chance(0.015)) {
      const bool bruise = r.Chance(0.4);
      p.InjuryLevel = std::max(p.InjuryLevel, bruise ? 0 : r.Int(1, 5));
      m.Injuries.push_back({p.PlayerID, p.Name.Full(), own.TeamID, r.Int(5, 89), bruise ? 1 : 2, 0, 0});
    }
  }
  for (size_t i = 0; i < 11; ++i)
    if (r.Chance(0.04)) {
      const auto& e = opp.Lineup[i];
      m.Bookings.push_back({e.PlayerID, e.FirstName + " " + e.LastName, opp.TeamID, r.Int(3, 90), 1, 0, 0});
    }
  std::map<int64_t, int> scored;
  for (const auto& g : m.Goals)
    if (g.TeamID == own.TeamID) ++scored[g.PlayerID];
  for (auto [id, goals] : scored) {
    const int index = squadIndex(id);
    if (index < 0) continue;
    auto& p = Squad[static_cast<size_t>(index)];
    if (m.MatchType == 1) p.LeagueGoals += goals;
    else if (m.MatchType == 3) p.CupGoals += goals;
    else p.FriendliesGoals += goals;
    if (m.MatchType <= 3) {
      p.CareerGoals += goals;
      if (goals >= 3) ++p.CareerKickvales;
    }
  }
  FinishScoreSequence(m);

  const int result = own.Goals > opp.Goals ? 1 : own.Goals < opp.Goals ? -1 : 0;
  if (m.MatchType <= 3) {
    NumberOfVictories = result > 0 ? NumberOfVictories + 1 : 0;
    NumberOfUndefeated = result >= 0 ? NumberOfUndefeated + 1 : 0;
    SelfConfidence = std::clamp(SelfConfidence + result + (r.Chance(0.3) ? -result : 0), 0, 9);
    Morale = std::clamp(Morale + (result > 0 && r.Chance(0.4) ? 1 : result < 0 && r.Chance(0.4) ? -1 : 0), 0, 10);
    FanClubSize += result > 0 ? r.Int(5, 25) : result < 0 ? -r.Int(0, 8) : r.Int(0, 6);
  }
  const int code = Formations[formationIndex].Code;
  FormationExperience[code] = std::min(10.0, FormationExperience[code] + (m.MatchType <= 3 ? 0.35 : 0.15));
  if (m.MatchType == 3 && result < 0) InCup = false;
  OwnMatches[m.MatchID] = m;
  OwnMatchOrder.push_back(m.MatchID);
}

void TSampleWorldState::PlayOwnLeagueMatch() {
  const int round = RoundOfWeek(Week);
  if (round > LeagueRounds) return;
  const int seasonIndex = Week / RoundsPerSeason;
  const int game = GameOfTeam(OwnUnit, seasonIndex, round, OwnTeam);
  auto [h, a] = Fixture(OwnUnit, seasonIndex, round, game);
  TWorldMatch m;
  m.MatchID = LeagueMatchID(OwnUnit, Week, game);
  m.MatchType = 1;
  m.Week = Week;
  m.Kickoff = LeagueKickoff(Week);
  PlayOwnMatch(m, h == OwnTeam, h == OwnTeam ? a : h);
}

void TSampleWorldState::SeasonTransfers() {
  auto& r = Random;
  const int seasonIndex = Week / RoundsPerSeason;
  for (auto& p : Squad) {
    p.LeagueGoals = p.CupGoals = p.FriendliesGoals = 0;
    p.Cards = 0;
    p.Suspended = 0;
  }
  // Half-way through the archive the club hires a new coach.
  if (Options.Seasons >= 3 && seasonIndex == Options.Seasons / 2) {
    for (size_t i = 0; i < Squad.size(); ++i)
      if (Squad[i].Coach) {
        LeaveSquad(i, false);
        break;
      }
    TWorldPlayer coach = NewCoach(r);
    coach.TrainerSkill = std::max(coach.TrainerSkill, 6);
    UpdateValues(coach);
    JoinSquad(std::move(coach));
    CoachArrival = SaturdayOfWeek(Week) - r.Int(6, 9);
  }
  for (size_t i = Squad.size(); i-- > 0;) {
    const auto& p = Squad[i];
    if (p.Coach || Squad.size() <= 18) continue;
    const double leave = p.Age >= 34 ? 1.0 : p.Age >= 31 ? 0.35 : 0.07;
    if (r.Chance(leave)) LeaveSquad(i, p.Age < 34);
  }
  auto countRole = [&](int role) {
    int n = 0;
    for (const auto& p : Squad) n += !p.Coach && p.Role == role;
    return n;
  };
  auto neededRole = [&]() {
    static const int wanted[] = {2, 4, 3, 5, 4, 4};
    int role = RoleInner, gap = -100;
    for (int k = 0; k < 6; ++k)
      if (wanted[k] - countRole(k) > gap) {
        gap = wanted[k] - countRole(k);
        role = k;
      }
    return role;
  };
  double averageLevel = 0;
  int fieldPlayers = 0;
  for (const auto& p : Squad)
    if (!p.Coach) {
      averageLevel += MainLevel(p);
      ++fieldPlayers;
    }
  averageLevel = fieldPlayers ? averageLevel / fieldPlayers : 7;
  const int youngsters = r.Int(0, 2);
  for (int k = 0; k < youngsters; ++k) JoinSquad(NewPlayer(neededRole(), 17, r.Int(3, 5), r, false));
  const int target = r.Int(22, 26);
  while (static_cast<int>(Squad.size()) < target) {
    TWorldPlayer p = NewPlayer(neededRole(), r.Int(18, 27), static_cast<int>(averageLevel) + r.Int(-1, 2), r, r.Chance(0.3));
    const int64_t price = PriceOf(p);
    if (Cash - WeekTransfersIn - price < 300000) {  // too dear: a youngster from the youth squad instead
      p = NewPlayer(neededRole(), 17, r.Int(3, 5), r, false);
    } else {
      WeekTransfersIn += price;
    }
    JoinSquad(std::move(p));
  }
  while (Squad.size() > 29) {
    size_t weakest = 0;
    int level = 100;
    for (size_t i = 0; i < Squad.size(); ++i)
      if (!Squad[i].Coach && MainLevel(Squad[i]) < level) {
        level = MainLevel(Squad[i]);
        weakest = i;
      }
    LeaveSquad(weakest, true);
  }
  for (auto& s : Specialists)
    if (r.Chance(0.25)) s = std::clamp(s + (r.Chance(0.6) ? 1 : -1), 0, 4);
  if (r.Chance(0.2)) YouthLevel = std::clamp(YouthLevel + (r.Chance(0.6) ? 1 : -1), 1, 6);
}

void TSampleWorldState::MidSeasonTransfers() {
  auto& r = Random;
  for (size_t i = Squad.size(); i-- > 0;)
    if (Squad[i].LeavesMidSeason) LeaveSquad(i, true);
  if (r.Chance(0.4) && Squad.size() < 28) {
    TWorldPlayer p = NewPlayer(r.Int(1, 5), r.Int(20, 27), 6 + r.Int(0, 4), r, r.Chance(0.4));
    const int64_t price = PriceOf(p);
    if (Cash - price > 500000) {
      WeekTransfersIn += price;
      JoinSquad(std::move(p));
    }
  }
}

void TSampleWorldState::Train() {
  const TWorldMatch* other = nullptr;
  const TWorldMatch* league = nullptr;
  if (auto it = OwnMatches.find(OtherMatchID(Week)); it != OwnMatches.end()) other = &it->second;
  if (Week > 0 && RoundOfWeek(Week - 1) <= LeagueRounds) {
    const int prev = Week - 1;
    const int game = GameOfTeam(OwnUnit, prev / RoundsPerSeason, RoundOfWeek(prev), OwnTeam);
    if (auto it = OwnMatches.find(LeagueMatchID(OwnUnit, prev, game)); it != OwnMatches.end()) league = &it->second;
  }
  auto positionIn = [](const TWorldMatch* m, int teamID, int64_t playerID) {
    if (!m) return 0;
    const auto& side = m->Home.TeamID == teamID ? m->Home : m->Away;
    for (const auto& e : side.Lineup)
      if (e.PlayerID == playerID) return e.RoleID <= 11 || e.RoleID >= 19 ? e.PositionCode : 0;
    return 0;
  };
  const int ownID = Teams[static_cast<size_t>(OwnTeam)].TeamID;
  int coachLevel = 7;
  for (const auto& p : Squad)
    if (p.Coach) coachLevel = p.TrainerSkill;
  const auto skills = TrainedSkills(TrainingType);
  const bool anyMatch = other || league;
  for (auto& p : Squad) {
    p.TrainedPosition = 0;
    if (p.Coach || p.InjuryLevel >= 1) continue;
    int position = positionIn(other, ownID, p.PlayerID);
    if (position == 0) position = positionIn(league, ownID, p.PlayerID);
    p.TrainedPosition = position;
    const bool everyone = TrainingType == 1 || TrainingType == 2;
    if (everyone ? !anyMatch : position == 0) continue;
    for (int skill : skills) {
      auto& level = p.Skills[static_cast<size_t>(skill)];
      auto& progress = p.Progress[static_cast<size_t>(skill)];
      if (level >= MaxSkill(skill)) continue;
      progress += TrainingIncrement(skill, everyone ? 0 : position, StaminaPart, TrainingLevel, coachLevel,
                                    TrainingType, p.Age);
      if (progress >= 1.0) {  // one level a week at most; the progress starts again from nothing
        ++level;
        progress = 0;
      }
    }
  }
  // Age takes its toll on players past their prime, one level at a time.
  for (auto& p : Squad) {
    if (p.Coach || p.Age < 29) continue;
    const double chance = 0.006 * (p.Age - 28);
    for (int skill : {SkillStamina, SkillPlaymaking, SkillWinger, SkillScoring, SkillPassing, SkillDefending, SkillKeeper}) {
      auto& level = p.Skills[static_cast<size_t>(skill)];
      if (level > 1 && Random.Chance(skill == SkillStamina ? chance * 2 : chance)) {
        --level;
        p.Progress[static_cast<size_t>(skill)] = 0;
        break;
      }
    }
  }
}

void TSampleWorldState::WeeklyChanges() {
  auto& r = Random;
  const int round = RoundOfWeek(Week);
  for (auto& p : Squad) {
    if (r.Chance(0.35)) {
      const int step = r.Chance(p.Form < 5 ? 0.65 : p.Form > 6 ? 0.35 : 0.5) ? 1 : -1;
      p.Form = std::clamp(p.Form + step, 1, 8);
    }
    if (!p.Coach && p.ExperiencePoints >= 10 + 3 * p.Experience && p.Experience < 20) {
      ++p.Experience;
      p.ExperiencePoints = 0;
    }
    UpdateValues(p);
  }
  if (round == 8 && r.Chance(0.35)) {
    std::vector<size_t> candidates;
    for (size_t i = 0; i < Squad.size(); ++i)
      if (!Squad[i].Coach && Squad[i].Age >= 24) candidates.push_back(i);
    if (!candidates.empty() && Squad.size() > 21) {
      auto& p = Squad[r.Pick(candidates)];
      p.TransferListed = 1;
      p.LeavesMidSeason = true;
    }
  }
  // The arena: an extension is planned now and then and takes a few weeks to build.
  if (Arena.Building) {
    if (--Arena.WeeksLeft <= 0) {
      Arena.Terraces += Arena.NewTerraces;
      Arena.Basic += Arena.NewBasic;
      Arena.Roof += Arena.NewRoof;
      Arena.VIP += Arena.NewVIP;
      Arena.Building = false;
      Arena.RebuiltDay = SaturdayOfWeek(Week) - 2;
    }
  } else if (r.Chance(0.035) && Arena.Total() < 60000) {
    const int terraces = r.Int(0, 6) * 500, basic = r.Int(0, 4) * 500, roof = r.Int(0, 3) * 250, vip = r.Int(0, 2) * 50;
    const int64_t cost = 100000 + int64_t{45} * terraces + int64_t{90} * basic + int64_t{120} * roof + int64_t{500} * vip;
    if (terraces + basic + roof + vip > 0 && Cash - cost > 1000000) {
      Arena.Building = true;
      Arena.NewTerraces = terraces;
      Arena.NewBasic = basic;
      Arena.NewRoof = roof;
      Arena.NewVIP = vip;
      Arena.WeeksLeft = r.Int(3, 8);
      WeekBuilding += cost;
    }
  }
  if (r.Chance(0.3)) Morale = std::clamp(Morale + (Morale < 5 ? 1 : Morale > 6 ? -1 : r.Int(-1, 1)), 0, 10);
  if (r.Chance(0.2)) SponsorsPopularity = std::clamp(SponsorsPopularity + r.Int(-1, 1), 0, 9);
  if (r.Chance(0.2)) SupportersPopularity = std::clamp(SupportersPopularity + r.Int(-1, 1), 0, 11);
  FanClubSize = std::max(50, FanClubSize + r.Int(0, 6));
  for (auto& [code, experience] : FormationExperience) experience = std::max(0.0, experience - 0.03);
}

void TSampleWorldState::UpdateEconomy() {
  // The past week is booked; the new week's figures are what the club expects so far.
  Cash += Economy.Total();
  LastEconomy = Economy;
  TWorldEconomyWeek e;
  e.IncomeSponsors = 150000 + int64_t{30} * FanClubSize + int64_t{8000} * SponsorsPopularity;
  e.IncomeSpectators = WeekGate;
  e.IncomeFinancial = Cash > 0 ? Cash / 2000 : 0;
  e.IncomeTemporary = WeekTransfersOut;
  for (const auto& p : Squad) e.CostsPlayers += p.Salary;
  int staff = 0;
  for (int s : Specialists) staff += s;
  e.CostsStaff = int64_t{18000} * staff;
  e.CostsArena = int64_t{8} * (Arena.Terraces + Arena.Basic) + int64_t{14} * Arena.Roof + int64_t{60} * Arena.VIP;
  e.CostsYouth = int64_t{20000} * YouthLevel;
  e.CostsFinancial = Cash < 0 ? -Cash / 1000 : 0;
  e.CostsTemporary = WeekTransfersIn + WeekBuilding;
  Economy = e;
  Cash = std::clamp<int64_t>(Cash, -5000000, 1900000000);
  WeekGate = WeekTransfersIn = WeekTransfersOut = WeekBuilding = 0;
}

void TSampleWorldState::StartWeek() {
  auto& r = Random;
  const int round = RoundOfWeek(Week);
  if (round == 1) {
    if (Week > 0) SeasonTransfers();
    InCup = true;
  }
  const auto training = PlanTraining(Seed, Week);
  TrainingType = training.Type;
  TrainingLevel = training.Level;
  StaminaPart = training.StaminaPart;

  const auto plan = PlanOfWeek(Week);
  EarlyFiles.clear();
  EarlyInfo.reset();
  if (plan.Doubled) {
    for (int i = 0; i < SampleOwnFileCount; ++i) EarlyFiles.push_back(OwnFile(i, plan.EarlyMoment));
    TSampleSnapshotInfo s;
    s.Season = SeasonOfWeek(Week);
    s.Round = round;
    s.FetchedDate = TWorldDate::FormatMoment(plan.EarlyMoment);
    s.Date = s.FetchedDate.substr(0, 10);
    s.FileName = s.Date + " Players.xml";
    s.SquadSize = static_cast<int>(Squad.size());
    s.Early = true;
    s.FullWorld = !plan.FullWorld;  // the two downloads of a round differ in this
    if (!s.FullWorld) EarlyFiles.back() = WorldFile(plan.EarlyMoment, true);
    EarlyInfo = s;
  }

  // The week's other match: a cup round while the club is still in the cup, else often a friendly.
  const bool cup = InCup && round >= 2 && round <= 12;
  const double friendlyChance = round >= 15 || round == 1 ? 0.9 : 0.75;
  if (cup || r.Chance(friendlyChance)) {
    TWorldMatch m;
    m.MatchID = OtherMatchID(Week);
    m.Week = Week;
    m.Kickoff = OtherKickoff(Week);
    int opponent;
    if (cup) {
      m.MatchType = 3;
      const int unit = r.Chance(0.7) ? 1 : 0;
      do opponent = Units[static_cast<size_t>(unit)].Teams[static_cast<size_t>(r.Int(0, 7))];
      while (opponent == OwnTeam);
    } else {
      const int kind = r.Int(0, 99);
      m.MatchType = kind < 60 ? 4 : kind < 75 ? 5 : kind < 92 ? 8 : 9;
      const int unit = m.MatchType >= 8 ? r.Int(2, 3) : r.Int(0, 1);
      do opponent = Units[static_cast<size_t>(unit)].Teams[static_cast<size_t>(r.Int(0, 7))];
      while (opponent == OwnTeam);
    }
    PlayOwnMatch(m, r.Chance(0.5), opponent);
  }

  for (auto& p : Squad) {
    if (p.InjuryLevel >= 0) --p.InjuryLevel;
    // Birthdays come before the training, so that a download shows the age the training used.
    if (p.BirthdayRound == round) ++p.Age;
  }
  if (round == 9) MidSeasonTransfers();
  Train();
  WeeklyChanges();
  UpdateEconomy();
  RecordWeek();
}

void TSampleWorldState::RecordWeek() {
  const int round = RoundOfWeek(Week);
  const auto plan = PlanOfWeek(Week);
  TSampleRoundInfo info;
  info.Season = SeasonOfWeek(Week);
  info.Round = round;
  info.TrainingType = TrainingType;
  info.TrainingLevel = TrainingLevel;
  info.StaminaTrainingPart = StaminaPart;
  for (const auto& p : Squad)
    if (p.Coach) {
      info.CoachLevel = p.TrainerSkill;
      info.CoachID = p.PlayerID;
    }
  if (round <= LeagueRounds)
    info.LeagueMatchID = LeagueMatchID(OwnUnit, Week, GameOfTeam(OwnUnit, Week / RoundsPerSeason, round, OwnTeam));
  if (OwnMatches.count(OtherMatchID(Week))) info.OtherMatchID = OtherMatchID(Week);

  const bool record = Week == 0 && LastWeek > 0;
  if (!plan.Missing) {
    if (EarlyInfo) Info.Snapshots.push_back(*EarlyInfo);
    TSampleSnapshotInfo s;
    s.Season = info.Season;
    s.Round = round;
    s.FetchedDate = TWorldDate::FormatMoment(plan.MainMoment);
    s.Date = s.FetchedDate.substr(0, 10);
    s.FileName = record ? s.Date + " Record.krf" : s.Date + " Players.xml";
    s.SquadSize = static_cast<int>(Squad.size());
    s.Record = record;
    s.FullWorld = !record && plan.FullWorld;
    Info.Snapshots.push_back(s);
    info.SnapshotCount = EarlyInfo ? 2 : 1;
  }
  Info.Rounds.push_back(info);

  for (const auto& p : Squad) {
    TSamplePlayerWeek w;
    w.Season = info.Season;
    w.Round = round;
    w.Age = p.Age;
    w.Form = p.Form;
    w.InjuryLevel = p.InjuryLevel;
    w.Cards = p.Cards;
    w.Skills = p.Skills;
    w.Progress = p.Progress;
    w.TrainedPosition = p.TrainedPosition;
    Info.Players[p.HistoryIndex].Weeks.push_back(w);
  }
}
