// Creation of the sample world and everything about the other teams: series, fixtures, rosters and the
// matches they play among themselves. Other teams are not simulated week by week: whatever is asked of
// them is derived from the seed and their IDs, so it comes out the same in whatever order it is asked.
#include "demo/WorldDate.h"
#include "demo/WorldState.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>

namespace {

// The archive always ends with this season of the own league; seasons stay two-digit numbers.
constexpr int CurrentSeason = 46;
constexpr int MaxSeasons = 40;

// Index into WorldCountries() of the countries the own club may play in (never the first of the world
// file, so that readers must look for their league instead of taking the first one).
const int OwnCountryChoices[] = {1, 2, 3, 5};

std::string RomanLevel(int level) {
  static const char* numerals[] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII"};
  return numerals[std::clamp(level, 1, 8)];
}

}  // namespace

TSampleWorldState::TSampleWorldState(const TSampleWorldOptions& options) : Options(options) {
  if (options.Seasons < 1 || options.Seasons > MaxSeasons)
    throw std::invalid_argument("The number of seasons must be 1..40");
  if (options.LastRound < 1 || options.LastRound > RoundsPerSeason)
    throw std::invalid_argument("The last round must be 1..16");
  Seed = options.Seed;
  FirstSeason = CurrentSeason - options.Seasons + 1;
  LastWeek = (options.Seasons - 1) * RoundsPerSeason + options.LastRound - 1;
  AnchorSaturday = TWorldDate::ToDays(2025, 3, 15);
  Random = TWorldRandom(TWorldRandom::Hash({Seed, 0x53u}));
  MatchIDBase = 40000000 + static_cast<int64_t>(TWorldRandom::Hash({Seed, 0x4Du}) % 10000000);
  Info.FirstSeason = FirstSeason;
  Info.LastSeason = CurrentSeason;
  Info.LastRound = options.LastRound;
  CreateWorld();
  CreateSquad();
  Week = 0;
  StartWeek();
}

int64_t TSampleWorldState::SaturdayOfWeek(int week) const {
  return AnchorSaturday - 7 * static_cast<int64_t>(LastWeek - week);
}

TWorldWeekPlan TSampleWorldState::PlanOfWeek(int week) const {
  auto r = TWorldRandom::For({Seed, 0x50u, static_cast<uint64_t>(week)});
  TWorldWeekPlan plan;
  const bool first = week == 0, last = week == LastWeek, beyond = week > LastWeek;
  plan.Missing = !first && !last && !beyond && (r.Chance(0.06) || (week == 10 && LastWeek > 12));
  plan.Doubled = !first && !plan.Missing && !beyond && (r.Chance(0.07) || week == 4);
  plan.FullWorld = week == 1 || (week != 2 && r.Chance(0.3));
  const int64_t saturday = SaturdayOfWeek(week);
  static const int dayOffsets[] = {-2, -1, -1, 0};
  const int offset = dayOffsets[r.Int(0, 3)];
  int hour = offset == -2 ? r.Int(7, 22) : offset == -1 ? r.Int(6, 22) : r.Int(6, 11);
  plan.MainMoment = (saturday + offset) * 86400 + hour * 3600 + r.Int(0, 59) * 60 + r.Int(0, 59);
  plan.EarlyMoment = (saturday - r.Int(4, 6)) * 86400 + r.Int(8, 21) * 3600 + r.Int(0, 59) * 60 + r.Int(0, 59);
  return plan;
}

int TSampleWorldState::LeagueSeason(int countryIndex, int week) const {
  const auto& countries = WorldCountries();
  int season = SeasonOfWeek(week) + countries[static_cast<size_t>(countryIndex)].SeasonOffset -
               countries[static_cast<size_t>(OwnCountry)].SeasonOffset;
  if (RoundAhead(countryIndex) && RoundOfWeek(week) == RoundsPerSeason) ++season;
  return season;
}

int TSampleWorldState::LeagueRound(int countryIndex, int week) const {
  const int round = RoundOfWeek(week);
  return RoundAhead(countryIndex) ? round % RoundsPerSeason + 1 : round;
}

bool TSampleWorldState::RoundAhead(int countryIndex) const {
  // Some leagues without series of ours run a round ahead, as the game's countries do: a reader of the
  // world file must take the own league's round, not any league's.
  for (const auto& unit : Units)
    if (unit.CountryIndex == countryIndex) return false;
  return countryIndex % 2 == 0;
}

void TSampleWorldState::CreateWorld() {
  auto r = TWorldRandom::For({Seed, 0x57u});
  const auto& countries = WorldCountries();
  OwnCountry = OwnCountryChoices[r.Int(0, 3)];
  do FollowedCountry = r.Int(0, static_cast<int>(countries.size()) - 1);
  while (FollowedCountry == OwnCountry);
  int thirdCountry;
  do thirdCountry = r.Int(0, static_cast<int>(countries.size()) - 1);
  while (thirdCountry == OwnCountry || thirdCountry == FollowedCountry);

  struct TUnitPlan {
    int Country, Level, Count;
  };
  const TUnitPlan plans[] = {{OwnCountry, 4, 64}, {OwnCountry, 3, 16}, {FollowedCountry, 5, 256}, {thirdCountry, 6, 1024}};
  std::set<int> usedIDs;
  std::set<std::string> usedNames;
  auto uniqueID = [&](int lo, int hi) {
    int id;
    do id = r.Int(lo, hi);
    while (!usedIDs.insert(id).second);
    return id;
  };
  for (const auto& plan : plans) {
    TWorldUnit unit;
    unit.UnitID = uniqueID(10000, 99999);
    unit.CountryIndex = plan.Country;
    unit.Level = plan.Level;
    unit.Name = RomanLevel(plan.Level) + "." + std::to_string(r.Int(1, plan.Count));
    const auto& country = countries[static_cast<size_t>(plan.Country)];
    for (int slot = 0; slot < 8; ++slot) {
      TWorldTeam team;
      team.TeamID = uniqueID(100000, 2999999);
      team.CountryIndex = plan.Country;
      team.UnitIndex = static_cast<int>(Units.size());
      for (int attempt = 0; attempt < 40; ++attempt) {
        team.Name = MakeClubName(plan.Country, r);
        if (!usedNames.count(team.Name)) break;
      }
      while (usedNames.count(team.Name)) team.Name += " II";
      usedNames.insert(team.Name);
      team.ShortName = team.Name.substr(0, team.Name.find(' ') == std::string::npos ? team.Name.size()
                                                                                    : team.Name.find(' '));
      team.ArenaID = uniqueID(100000, 2999999);
      team.ArenaName = MakeArenaName(team.Name, r);
      team.Capacity = 4000 * (8 - plan.Level) + r.Int(0, 9000);
      const int region = r.Int(0, static_cast<int>(country.Regions.size()) - 1);
      team.RegionID = 1000 * country.CountryID + 10 + region;
      team.RegionName = country.Regions[static_cast<size_t>(region)];
      team.UserID = uniqueID(3000000, 9999999);
      team.Loginname = "user" + std::to_string(team.UserID);
      team.Strength = 13.0 - plan.Level * 1.2 + r.Real() * 2.0;
      team.FoundedYear = r.Int(1997, 2009);
      unit.Teams[static_cast<size_t>(slot)] = static_cast<int>(Teams.size());
      Teams.push_back(std::move(team));
    }
    Units.push_back(unit);
  }
  OwnUnit = 0;
  const int ownSlot = r.Int(0, 7);
  OwnTeam = Units[0].Teams[static_cast<size_t>(ownSlot)];
  Followed = {Units[0].Teams[static_cast<size_t>((ownSlot + r.Int(1, 7)) % 8)], Units[2].Teams[static_cast<size_t>(r.Int(0, 7))]};

  auto& own = Teams[static_cast<size_t>(OwnTeam)];
  UserID = own.UserID;
  Loginname = "manager" + std::to_string(Seed % 10000);
  own.Loginname = Loginname;
  Email = Loginname + "@example.com";
  HomePage = "http://www.example.com/" + Loginname;
  ShortName = own.ShortName;
  OwnRegionID = own.RegionID;
  OwnRegionName = own.RegionName;

  Info.OwnTeamID = own.TeamID;
  Info.OwnTeamName = own.Name;
  Info.OwnLeagueID = countries[static_cast<size_t>(OwnCountry)].LeagueID;
  Info.OwnCountryID = countries[static_cast<size_t>(OwnCountry)].CountryID;
  Info.OwnUnitID = Units[0].UnitID;
  Info.UserID = UserID;
  Info.Loginname = Loginname;
  for (int f : Followed) Info.FollowedTeamIDs.push_back(Teams[static_cast<size_t>(f)].TeamID);
}

int TSampleWorldState::TeamIndexOf(int teamID) const {
  for (size_t i = 0; i < Teams.size(); ++i)
    if (Teams[i].TeamID == teamID) return static_cast<int>(i);
  return -1;
}

int TSampleWorldState::UnitIndexOf(int unitID) const {
  for (size_t i = 0; i < Units.size(); ++i)
    if (Units[i].UnitID == unitID) return static_cast<int>(i);
  return -1;
}

std::pair<int, int> TSampleWorldState::Fixture(int unitIndex, int seasonIndex, int round, int game) const {
  // Every season draws the series anew: a shuffle of the eight places of the round-robin table.
  std::array<int, 8> order{0, 1, 2, 3, 4, 5, 6, 7};
  auto r = TWorldRandom::For({Seed, 0x46u, static_cast<uint64_t>(unitIndex), static_cast<uint64_t>(seasonIndex)});
  for (int i = 7; i > 0; --i) std::swap(order[static_cast<size_t>(i)], order[static_cast<size_t>(r.Int(0, i))]);
  // The circle method: place 7 stays, the others turn; the second half repeats the first with the
  // home and away sides exchanged.
  const int k = (round - 1) % 7;
  int a, b;
  if (game == 0) {
    a = 7;
    b = k;
  } else {
    a = (k + game) % 7;
    b = (k + 7 - game) % 7;
  }
  bool firstAtHome = game == 0 ? k % 2 == 0 : (k + game) % 2 == 1;
  if (round > 7) firstAtHome = !firstAtHome;
  if (!firstAtHome) std::swap(a, b);
  const auto& teams = Units[static_cast<size_t>(unitIndex)].Teams;
  return {teams[static_cast<size_t>(order[static_cast<size_t>(a)])], teams[static_cast<size_t>(order[static_cast<size_t>(b)])]};
}

int TSampleWorldState::GameOfTeam(int unitIndex, int seasonIndex, int round, int teamIndex) const {
  for (int g = 0; g < 4; ++g) {
    auto [h, a] = Fixture(unitIndex, seasonIndex, round, g);
    if (h == teamIndex || a == teamIndex) return g;
  }
  return -1;
}

double TSampleWorldState::TeamStrength(int teamIndex, int seasonIndex) const {
  const auto& team = Teams[static_cast<size_t>(teamIndex)];
  auto r = TWorldRandom::For({Seed, 0x54u, static_cast<uint64_t>(team.TeamID), static_cast<uint64_t>(seasonIndex)});
  return team.Strength + 0.5 * std::sin(seasonIndex * 0.7 + team.TeamID % 7) + r.Real() * 0.8 - 0.4;
}

std::vector<TRosterPlayer> TSampleWorldState::Roster(int teamIndex, int seasonIndex) const {
  static const int roles[] = {RoleKeeper, RoleKeeper, RoleDefender, RoleDefender, RoleDefender, RoleDefender,
                              RoleWingBack, RoleWingBack, RoleInner, RoleInner, RoleInner, RoleInner,
                              RoleWinger, RoleWinger, RoleWinger, RoleForward, RoleForward, RoleForward};
  const auto& team = Teams[static_cast<size_t>(teamIndex)];
  std::vector<TRosterPlayer> roster;
  roster.reserve(std::size(roles));
  for (size_t i = 0; i < std::size(roles); ++i) {
    // Each place of the roster is held by one player for a span of seasons, then by his successor.
    const uint64_t h = TWorldRandom::Hash({Seed, 0x52u, static_cast<uint64_t>(team.TeamID), i});
    const int span = 7 + static_cast<int>(h % 7);
    const int phase = static_cast<int>((h >> 8) % static_cast<uint64_t>(span));
    const int generation = (seasonIndex + phase) / span;
    auto r = TWorldRandom::For({Seed, 0x4Eu, static_cast<uint64_t>(team.TeamID), i, static_cast<uint64_t>(generation)});
    TRosterPlayer p;
    p.PlayerID = 100000000 + static_cast<int64_t>(r.Next() % 199999999);
    const bool foreign = r.Chance(0.2);
    p.Name = MakePersonName(foreign ? r.Int(0, static_cast<int>(WorldCountries().size()) - 1) : team.CountryIndex, r);
    p.Role = roles[i];
    p.Age = 18 + r.Int(0, 2) + (seasonIndex + phase) % span;
    roster.push_back(std::move(p));
  }
  return roster;
}

void TSampleWorldState::FillOpponentRatings(TWorldSide& side, double strength, TWorldRandom& random) const {
  for (auto& rating : side.Ratings)
    rating = std::clamp(static_cast<int>(std::lround(4 * (strength + random.Real() * 2.4 - 1.2))) - 2, 1, 80);
  side.ExperienceLevel = std::clamp(static_cast<int>(strength * 0.6) + random.Int(-1, 1), 1, 20);
  const int tactic = random.Int(0, 9);
  side.TacticType = tactic < 7 ? 0 : tactic - 6;  // mostly normal, else pressing, counter-attacks, middle
  side.TacticSkill = side.TacticType == 0 ? 0 : std::clamp(static_cast<int>(strength) + random.Int(-2, 1), 1, 20);
}

void TSampleWorldState::FillRosterSide(TWorldSide& side, int teamIndex, int seasonIndex, TWorldRandom& random) const {
  const auto& team = Teams[static_cast<size_t>(teamIndex)];
  side.TeamID = team.TeamID;
  side.TeamName = team.Name;
  const double strength = TeamStrength(teamIndex, seasonIndex);
  auto roster = Roster(teamIndex, seasonIndex);
  std::vector<bool> used(roster.size(), false);
  auto take = [&](int role) -> const TRosterPlayer* {
    std::vector<size_t> candidates;
    for (size_t i = 0; i < roster.size(); ++i)
      if (!used[i] && roster[i].Role == role) candidates.push_back(i);
    if (candidates.empty())
      for (size_t i = 0; i < roster.size(); ++i)
        if (!used[i] && roster[i].Role != RoleKeeper) candidates.push_back(i);
    const size_t pick = candidates[static_cast<size_t>(random.Int(0, static_cast<int>(candidates.size()) - 1))];
    used[pick] = true;
    return &roster[pick];
  };
  auto entry = [&](const TRosterPlayer& p, int roleID, int position, int behaviour, double stars) {
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
  auto stars = [&]() { return std::clamp(std::round((strength * 0.5 + random.Real() * 2.0 - 1.0) * 2) / 2, 1.0, 8.0); };
  // Slots 1..11 by their natural role; a 3-5-2 or 4-5-1 moves one player into midfield.
  static const int slotRoles[] = {RoleKeeper, RoleWingBack, RoleDefender, RoleDefender, RoleWingBack,  RoleWinger,
                                  RoleInner,  RoleInner,    RoleWinger,   RoleForward,  RoleForward};
  const int shape = random.Int(0, 9);
  int extraSlot = 0;
  if (shape == 8) extraSlot = 3;       // 3-5-2
  else if (shape == 9) extraSlot = 11; // 4-5-1
  side.Formation = extraSlot == 3 ? "3-5-2" : extraSlot == 11 ? "4-5-1" : "4-4-2";
  std::vector<TWorldLineupEntry> field;
  for (int slot = 1; slot <= 11; ++slot) {
    const int role = slot == extraSlot ? RoleInner : slotRoles[slot - 1];
    field.push_back(entry(*take(role), slot, slot, slot == extraSlot ? 6 : 0, stars()));
  }
  std::vector<TWorldLineupEntry> bench;
  static const int benchRoles[] = {RoleKeeper, RoleDefender, RoleInner, RoleWinger, RoleForward};
  for (int k = 0; k < 5; ++k) bench.push_back(entry(*take(benchRoles[k]), 12 + k, 12 + k, 0, 0));
  // Up to two substitutions of field players by the bench player of the same line.
  std::vector<TWorldLineupEntry> replaced;
  const int substitutions = random.Int(0, 2);
  static const int subSlots[][2] = {{10, 4}, {7, 2}, {6, 3}};  // field slot, bench index
  for (int s = 0; s < substitutions; ++s) {
    const int slot = subSlots[s][0];
    auto& sub = bench[static_cast<size_t>(subSlots[s][1])];
    TWorldLineupEntry out = field[static_cast<size_t>(slot - 1)];
    out.RoleID = 19 + s;
    replaced.push_back(out);
    TWorldLineupEntry in = sub;
    in.RoleID = slot;
    in.PositionCode = slot;
    in.Behaviour = field[static_cast<size_t>(slot - 1)].Behaviour;
    in.Stars = stars();
    field[static_cast<size_t>(slot - 1)] = in;
  }
  side.Lineup = field;
  side.Lineup.insert(side.Lineup.end(), bench.begin(), bench.end());
  // Set pieces and captain come from the players on the field at the end; those two lines carry only
  // the player, as the game writes them.
  for (int roleID : {17, 18}) {
    const auto& from = field[static_cast<size_t>(random.Int(1, 10))];
    TWorldLineupEntry e;
    e.PlayerID = from.PlayerID;
    e.FirstName = from.FirstName;
    e.LastName = from.LastName;
    e.RoleID = roleID;
    side.Lineup.push_back(e);
  }
  side.Lineup.insert(side.Lineup.end(), replaced.begin(), replaced.end());
  FillOpponentRatings(side, strength, random);
}

void TSampleWorldState::AddScorers(TWorldMatch& match, TWorldSide& side, bool home, int goals,
                                   TWorldRandom& random) const {
  // Forwards score most, then wingers and inner midfielders; keepers never.
  std::vector<std::pair<const TWorldLineupEntry*, double>> weights;
  double total = 0;
  for (size_t i = 0; i < side.Lineup.size() && i < 11; ++i) {
    const auto& e = side.Lineup[i];
    const int code = e.PositionCode;
    double w = code >= 10 || e.Behaviour == 5 ? 5 : code == 6 || code == 9 ? 2.5 : code == 7 || code == 8 ? 2 : code == 1 ? 0 : 0.7;
    weights.push_back({&e, w});
    total += w;
  }
  for (int g = 0; g < goals; ++g) {
    double x = random.Real() * total;
    const TWorldLineupEntry* scorer = weights.back().first;
    for (auto& [e, w] : weights) {
      if (x < w) {
        scorer = e;
        break;
      }
      x -= w;
    }
    TWorldEvent ev;
    ev.PlayerID = scorer->PlayerID;
    ev.PlayerName = scorer->FirstName + " " + scorer->LastName;
    ev.TeamID = side.TeamID;
    ev.Minute = random.Int(1, 90);
    ev.Kind = home ? 1 : 2;  // which side scored, until FinishScoreSequence
    match.Goals.push_back(ev);
  }
}

void TSampleWorldState::FinishScoreSequence(TWorldMatch& match) const {
  std::stable_sort(match.Goals.begin(), match.Goals.end(),
                   [](const TWorldEvent& a, const TWorldEvent& b) { return a.Minute < b.Minute; });
  int h = 0, a = 0;
  for (auto& g : match.Goals) {
    if (g.Kind == 1) ++h;
    else ++a;
    g.HomeGoals = h;
    g.AwayGoals = a;
    g.Kind = 0;
  }
  std::stable_sort(match.Bookings.begin(), match.Bookings.end(),
                   [](const TWorldEvent& x, const TWorldEvent& y) { return x.Minute < y.Minute; });
}

std::optional<std::pair<int, int>> TSampleWorldState::LeagueResult(int unitIndex, int week, int game) const {
  if (week < 0 || week >= Week || RoundOfWeek(week) > LeagueRounds) return std::nullopt;
  const int seasonIndex = week / RoundsPerSeason;
  auto [h, a] = Fixture(unitIndex, seasonIndex, RoundOfWeek(week), game);
  if (h == OwnTeam || a == OwnTeam) {
    auto it = OwnMatches.find(LeagueMatchID(unitIndex, week, game));
    if (it == OwnMatches.end()) return std::nullopt;
    return std::make_pair(it->second.Home.Goals, it->second.Away.Goals);
  }
  auto r = TWorldRandom::For({Seed, 0x47u, static_cast<uint64_t>(unitIndex), static_cast<uint64_t>(week),
                              static_cast<uint64_t>(game)});
  const double hs = TeamStrength(h, seasonIndex), as = TeamStrength(a, seasonIndex);
  const int hg = r.Poisson(1.45 * std::pow(hs / as, 1.8) * 1.08);
  const int ag = r.Poisson(1.45 * std::pow(as / hs, 1.8));
  return std::make_pair(std::min(hg, 9), std::min(ag, 9));
}

TWorldMatch TSampleWorldState::GenerateLeagueMatch(int unitIndex, int week, int game) const {
  const int seasonIndex = week / RoundsPerSeason;
  auto [h, a] = Fixture(unitIndex, seasonIndex, RoundOfWeek(week), game);
  TWorldMatch m;
  m.MatchID = LeagueMatchID(unitIndex, week, game);
  m.MatchType = 1;
  m.Week = week;
  m.Kickoff = LeagueKickoff(week);
  auto r = TWorldRandom::For({Seed, 0x44u, static_cast<uint64_t>(m.MatchID)});
  FillRosterSide(m.Home, h, seasonIndex, r);
  FillRosterSide(m.Away, a, seasonIndex, r);
  auto goals = LeagueResult(unitIndex, week, game).value_or(std::make_pair(0, 0));
  m.Home.Goals = goals.first;
  m.Away.Goals = goals.second;
  const auto& home = Teams[static_cast<size_t>(h)];
  m.ArenaID = home.ArenaID;
  m.ArenaName = home.ArenaName;
  m.WeatherID = r.Int(0, 3);
  m.SoldTotal = home.Capacity * r.Int(55, 100) / 100;
  m.SoldVIP = m.SoldTotal / 60;
  m.SoldRoof = m.SoldTotal / 7;
  m.SoldBasic = m.SoldTotal / 4;
  m.SoldTerraces = m.SoldTotal - m.SoldVIP - m.SoldRoof - m.SoldBasic;
  const double hm = m.Home.Ratings[RatingMidfield], am = m.Away.Ratings[RatingMidfield];
  const double share = 100.0 * hm * hm / (hm * hm + am * am);
  m.PossessionFirstHome = std::clamp(static_cast<int>(std::lround(share)) + r.Int(-4, 4), 20, 80);
  m.PossessionSecondHome = std::clamp(static_cast<int>(std::lround(share)) + r.Int(-4, 4), 20, 80);
  AddScorers(m, m.Home, true, m.Home.Goals, r);
  AddScorers(m, m.Away, false, m.Away.Goals, r);
  for (TWorldSide* side : {&m.Home, &m.Away})
    for (size_t i = 0; i < 11; ++i)
      if (r.Chance(0.04)) {
        const auto& e = side->Lineup[i];
        m.Bookings.push_back({e.PlayerID, e.FirstName + " " + e.LastName, side->TeamID, r.Int(5, 90), 1, 0, 0});
      }
  FinishScoreSequence(m);
  return m;
}

std::optional<TWorldMatch> TSampleWorldState::FindMatch(int64_t matchID) const {
  if (auto it = OwnMatches.find(matchID); it != OwnMatches.end()) return it->second;
  const int64_t rel = matchID - MatchIDBase;
  if (rel < 0) return std::nullopt;
  const int week = static_cast<int>(rel / 1000), k = static_cast<int>(rel % 1000);
  const int unitIndex = k / 10, game = k % 10;
  if (k >= 500 || unitIndex >= static_cast<int>(Units.size()) || game >= 4) return std::nullopt;
  if (!LeagueResult(unitIndex, week, game)) return std::nullopt;
  auto [h, a] = Fixture(unitIndex, week / RoundsPerSeason, RoundOfWeek(week), game);
  if (h == OwnTeam || a == OwnTeam) return std::nullopt;  // would be among the own matches
  return GenerateLeagueMatch(unitIndex, week, game);
}

int64_t TSampleWorldState::DownloadMomentOf(const TWorldMatch& match) const {
  // A league match is played after its round's download, so it arrives with the next week's download;
  // the midweek match is played before the round's download.
  return PlanOfWeek(match.MatchType == 1 ? match.Week + 1 : match.Week).MainMoment;
}
