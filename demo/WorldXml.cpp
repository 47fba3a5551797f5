// The sample world as the game's XML interface shows it: the nine own-team files, matches lists, match
// lineups and details, league fixtures and tables, team details, and the old single-file record form.
// Element names and layout follow the game's answers (root "KickvaleData" with FileName, Version, UserID
// and FetchedDate first); the FileName texts are those the program names its match copies after.
#include "core/Snapshot.h"
#include "demo/WorldDate.h"
#include "demo/WorldState.h"

#include <algorithm>
#include <charconv>
#include <cmath>

// ---- XML helpers -----------------------------------------------------------------------------------------

pugi::xml_node XmlChild(pugi::xml_node parent, const char* name) { return parent.append_child(name); }

void XmlText(pugi::xml_node parent, const char* name, std::string_view text) {
  auto node = parent.append_child(name);
  if (!text.empty()) node.append_child(pugi::node_pcdata).set_value(std::string(text).c_str());
}

void XmlInt(pugi::xml_node parent, const char* name, int64_t value) {
  char buffer[24];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  (void)ec;
  XmlText(parent, name, std::string_view(buffer, static_cast<size_t>(end - buffer)));
}

std::string XmlStars(double stars) {
  const int halves = static_cast<int>(std::lround(stars * 2));
  std::string s = std::to_string(halves / 2);
  if (halves % 2) s += ".5";
  return s;
}

namespace {

struct TStringWriter : pugi::xml_writer {
  std::string Text;
  void write(const void* data, size_t size) override { Text.append(static_cast<const char*>(data), size); }
};

void Header(pugi::xml_node root, const char* fileName, const char* version, int userID, int64_t moment) {
  XmlText(root, "FileName", fileName);
  XmlText(root, "Version", version);
  XmlInt(root, "UserID", userID);
  XmlText(root, "FetchedDate", TWorldDate::FormatMoment(moment));
}

const char* const SpecialtyNames[] = {"", "Technical", "Quick", "Powerful", "Unpredictable", "Head", "Regainer"};
const char* const AgreeabilityNames[] = {"nasty fellow", "controversial person", "pleasant guy",
                                         "sympathetic guy", "popular guy", "beloved team member"};
const char* const HonestyNames[] = {"infamous", "dishonest", "honest", "upright", "righteous", "saint like"};
const char* const AggressivenessNames[] = {"tranquil", "calm", "balanced", "temperamental", "fiery"};

// The next moment at or after `moment` that falls on a weekday (0 = Monday) at a time of day.
int64_t NextAt(int64_t moment, int weekday, int secondsOfDay) {
  int64_t day = moment / 86400;
  while (true) {
    const int64_t at = day * 86400 + secondsOfDay;
    if (TWorldDate::Weekday(day) == weekday && at >= moment) return at;
    ++day;
  }
}

struct TTableRow {
  int Team = 0;
  int Matches = 0, Won = 0, Draws = 0, Lost = 0, GoalsFor = 0, GoalsAgainst = 0, Points = 0;
};

}  // namespace

std::string XmlToString(const pugi::xml_document& doc) {
  TStringWriter writer;
  doc.save(writer, "  ", pugi::format_indent, pugi::encoding_utf8);
  return std::move(writer.Text);
}

pugi::xml_node XmlAnswerRoot(pugi::xml_document& doc) {
  auto declaration = doc.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  declaration.append_attribute("encoding") = "utf-8";
  return doc.append_child("KickvaleData");
}

const char* SampleOwnFileRequest(int index) {
  return TMyTeamDlData[static_cast<size_t>(std::clamp(index, 0, SampleOwnFileCount - 1))].FileParam;
}
const char* SampleOwnFileKind(int index) {
  return TMyTeamDlData[static_cast<size_t>(std::clamp(index, 0, SampleOwnFileCount - 1))].Kind;
}

// ---- the league table -----------------------------------------------------------------------------------

namespace {

// The table of a series after the league rounds played before `week` in that week's season.
std::vector<TTableRow> LeagueTable(const TSampleWorldState& w, int unitIndex, int week) {
  const auto& unit = w.Units[static_cast<size_t>(unitIndex)];
  std::vector<TTableRow> rows;
  for (int t : unit.Teams) rows.push_back({t});
  auto row = [&](int team) -> TTableRow& {
    for (auto& r : rows)
      if (r.Team == team) return r;
    return rows.front();
  };
  const int seasonIndex = week / TSampleWorldState::RoundsPerSeason;
  const int firstWeek = seasonIndex * TSampleWorldState::RoundsPerSeason;
  for (int wk = firstWeek; wk < week && wk - firstWeek < TSampleWorldState::LeagueRounds; ++wk)
    for (int g = 0; g < 4; ++g) {
      auto result = w.LeagueResult(unitIndex, wk, g);
      if (!result) continue;
      auto [h, a] = w.Fixture(unitIndex, seasonIndex, TSampleWorldState::RoundOfWeek(wk), g);
      auto& home = row(h);
      auto& away = row(a);
      ++home.Matches;
      ++away.Matches;
      home.GoalsFor += result->first;
      home.GoalsAgainst += result->second;
      away.GoalsFor += result->second;
      away.GoalsAgainst += result->first;
      if (result->first > result->second) {
        ++home.Won;
        ++away.Lost;
        home.Points += 3;
      } else if (result->first < result->second) {
        ++away.Won;
        ++home.Lost;
        away.Points += 3;
      } else {
        ++home.Draws;
        ++away.Draws;
        ++home.Points;
        ++away.Points;
      }
    }
  std::stable_sort(rows.begin(), rows.end(), [](const TTableRow& a, const TTableRow& b) {
    if (a.Points != b.Points) return a.Points > b.Points;
    if (a.GoalsFor - a.GoalsAgainst != b.GoalsFor - b.GoalsAgainst)
      return a.GoalsFor - a.GoalsAgainst > b.GoalsFor - b.GoalsAgainst;
    return a.GoalsFor > b.GoalsFor;
  });
  return rows;
}

void FillLeague(const TSampleWorldState& w, pugi::xml_node root, int unitIndex, int64_t moment) {
  const auto& unit = w.Units[static_cast<size_t>(unitIndex)];
  const auto& country = WorldCountries()[static_cast<size_t>(unit.CountryIndex)];
  Header(root, "leagueDetails.asp", "1.4", w.UserID, moment);
  XmlInt(root, "LeagueID", country.LeagueID);
  XmlText(root, "LeagueName", country.LeagueName);
  XmlInt(root, "LeagueLevel", unit.Level);
  XmlInt(root, "MaxLevel", country.NumberOfLevels);
  XmlInt(root, "LeagueLevelUnitID", unit.UnitID);
  XmlText(root, "LeagueLevelUnitName", unit.Name);
  XmlInt(root, "CurrentMatchRound", std::min(TSampleWorldState::RoundOfWeek(w.Week), TSampleWorldState::LeagueRounds));
  const auto now = LeagueTable(w, unitIndex, w.Week);
  const auto before = LeagueTable(w, unitIndex, std::max(w.Week - 1, w.Week / 16 * 16));
  for (size_t i = 0; i < now.size(); ++i) {
    const auto& r = now[i];
    const auto& team = w.Teams[static_cast<size_t>(r.Team)];
    size_t previous = i;
    for (size_t k = 0; k < before.size(); ++k)
      if (before[k].Team == r.Team) previous = k;
    auto t = XmlChild(root, "Team");
    XmlInt(t, "TeamID", team.TeamID);
    XmlText(t, "TeamName", team.Name);
    XmlInt(t, "Position", static_cast<int>(i) + 1);
    XmlInt(t, "PositionChange", static_cast<int64_t>(previous) - static_cast<int64_t>(i));
    XmlInt(t, "Matches", r.Matches);
    XmlInt(t, "GoalsFor", r.GoalsFor);
    XmlInt(t, "GoalsAgainst", r.GoalsAgainst);
    XmlInt(t, "Points", r.Points);
    XmlInt(t, "Won", r.Won);
    XmlInt(t, "Draws", r.Draws);
    XmlInt(t, "Lost", r.Lost);
  }
}

void FillTeam(const TSampleWorldState& w, pugi::xml_node root, int teamIndex, int64_t moment) {
  const auto& team = w.Teams[static_cast<size_t>(teamIndex)];
  const auto& unit = w.Units[static_cast<size_t>(team.UnitIndex)];
  const auto& country = WorldCountries()[static_cast<size_t>(team.CountryIndex)];
  const bool own = teamIndex == w.OwnTeam;
  Header(root, "teamDetails.asp", "1.6", w.UserID, moment);
  auto user = XmlChild(root, "User");
  XmlInt(user, "UserID", team.UserID);
  auto language = XmlChild(user, "Language");
  XmlInt(language, "LanguageID", country.LanguageID);
  XmlText(language, "LanguageName", country.LanguageName);
  XmlText(user, "Loginname", team.Loginname);
  XmlText(user, "ICQ", "");
  XmlText(user, "Email", own ? w.Email : "");
  XmlText(user, "SignupDate", TWorldDate::FormatMoment(int64_t{86400} * TWorldDate::ToDays(team.FoundedYear, 8, 14) + 61200));
  XmlText(user, "HasManagerLicense", "True");
  auto t = XmlChild(root, "Team");
  XmlInt(t, "TeamID", team.TeamID);
  XmlText(t, "TeamName", team.Name);
  XmlText(t, "ShortTeamName", own ? w.ShortName : team.ShortName);
  XmlText(t, "IsPrimaryClub", "True");
  XmlText(t, "FoundedDate", TWorldDate::FormatMoment(int64_t{86400} * TWorldDate::ToDays(team.FoundedYear, 8, 14) + 61500));
  XmlText(t, "HomePage", own ? w.HomePage : "");
  auto arena = XmlChild(t, "Arena");
  XmlInt(arena, "ArenaID", team.ArenaID);
  XmlText(arena, "ArenaName", team.ArenaName);
  auto league = XmlChild(t, "League");
  XmlInt(league, "LeagueID", country.LeagueID);
  XmlText(league, "LeagueName", country.LeagueName);
  auto countryNode = XmlChild(t, "Country");
  XmlInt(countryNode, "CountryID", country.CountryID);
  XmlText(countryNode, "CountryName", country.CountryName);
  auto region = XmlChild(t, "Region");
  XmlInt(region, "RegionID", team.RegionID);
  XmlText(region, "RegionName", team.RegionName);
  auto trainer = XmlChild(t, "Trainer");
  int64_t coachID = 0;
  if (own) {
    for (const auto& p : w.Squad)
      if (p.Coach) coachID = p.PlayerID;
  } else {
    coachID = 100000000 + static_cast<int64_t>(TWorldRandom::Hash({w.Seed, 0x43u, static_cast<uint64_t>(team.TeamID)}) % 199999999);
  }
  XmlInt(trainer, "PlayerID", coachID);
  XmlText(t, "DressURI", "");
  auto unitNode = XmlChild(t, "LeagueLevelUnit");
  XmlInt(unitNode, "LeagueLevelUnitID", unit.UnitID);
  XmlText(unitNode, "LeagueLevelUnitName", unit.Name);
  XmlInt(unitNode, "LeagueLevel", unit.Level);
  XmlInt(t, "NumberOfVictories", own ? w.NumberOfVictories : team.TeamID % 4);
  XmlInt(t, "NumberOfUndefeated", own ? w.NumberOfUndefeated : team.TeamID % 7);
  auto fanclub = XmlChild(t, "Fanclub");
  XmlInt(fanclub, "FanclubID", team.TeamID / 3);
  XmlText(fanclub, "FanclubName", "Friends of " + team.Name);
  XmlInt(fanclub, "FanclubSize", own ? w.FanClubSize : 200 + team.TeamID % 1500);
  XmlText(t, "LogoURL", "");
  auto guestbook = XmlChild(t, "Guestbook");
  XmlInt(guestbook, "NumberOfGuestbookItems", team.TeamID % 40);
  XmlText(t, "PressAnnouncement", "");
  XmlInt(t, "YouthTeamID", 0);
}

void FillPlayers(const TSampleWorldState& w, pugi::xml_node root, int64_t moment) {
  const auto& team = w.Teams[static_cast<size_t>(w.OwnTeam)];
  Header(root, "players.asp", "1.7", w.UserID, moment);
  auto t = XmlChild(root, "Team");
  XmlInt(t, "TeamID", team.TeamID);
  XmlText(t, "TeamName", team.Name);
  auto list = XmlChild(t, "PlayerList");
  for (const auto& p : w.Squad) {
    auto n = XmlChild(list, "Player");
    XmlInt(n, "PlayerID", p.PlayerID);
    XmlText(n, "PlayerName", p.Name.Full());
    XmlInt(n, "Age", p.Age);
    XmlInt(n, "InjuryLevel", p.InjuryLevel);
    XmlInt(n, "PlayerForm", p.Form);
    XmlInt(n, "StaminaSkill", p.Skills[0]);
    XmlInt(n, "PlaymakerSkill", p.Skills[1]);
    XmlInt(n, "ScorerSkill", p.Skills[3]);
    XmlInt(n, "PassingSkill", p.Skills[5]);
    XmlInt(n, "WingerSkill", p.Skills[2]);
    XmlInt(n, "SetPiecesSkill", p.Skills[7]);
    XmlInt(n, "DefenderSkill", p.Skills[6]);
    XmlInt(n, "KeeperSkill", p.Skills[4]);
    XmlInt(n, "Experience", p.Experience);
    XmlInt(n, "Leadership", p.Leadership);
    XmlInt(n, "Salary", p.Salary);
    XmlInt(n, "TSI", p.TSI);
    XmlInt(n, "CareerGoals", p.CareerGoals);
    XmlInt(n, "LeagueGoals", p.LeagueGoals);
    XmlInt(n, "CupGoals", p.CupGoals);
    XmlInt(n, "FriendliesGoals", p.FriendliesGoals);
    XmlInt(n, "CareerKickvales", p.CareerKickvales);
    XmlInt(n, "CountryID", p.CountryID);
    XmlInt(n, "Cards", p.Cards);
    XmlInt(n, "Specialty", p.Specialty);
    XmlInt(n, "TransferListed", p.TransferListed);
    XmlInt(n, "Agreeability", p.Agreeability);
    XmlInt(n, "Honesty", p.Honesty);
    XmlInt(n, "Aggressiveness", p.Aggressiveness);
    if (p.Coach) {
      auto trainer = XmlChild(n, "TrainerData");
      XmlInt(trainer, "TrainerType", p.TrainerType);
      XmlInt(trainer, "TrainerSkill", p.TrainerSkill);
    }
  }
}

const TWorldPlayer* Coach(const TSampleWorldState& w) {
  for (const auto& p : w.Squad)
    if (p.Coach) return &p;
  return nullptr;
}

void FillTraining(const TSampleWorldState& w, pugi::xml_node root, int64_t moment) {
  const auto& team = w.Teams[static_cast<size_t>(w.OwnTeam)];
  Header(root, "training.asp", "1.5", w.UserID, moment);
  auto t = XmlChild(root, "Team");
  XmlInt(t, "TeamID", team.TeamID);
  XmlText(t, "TeamName", team.Name);
  XmlInt(t, "TrainingLevel", w.TrainingLevel);
  XmlInt(t, "TrainingType", w.TrainingType);
  XmlInt(t, "StaminaTrainingPart", w.StaminaPart);
  auto trainer = XmlChild(t, "Trainer");
  const auto* coach = Coach(w);
  XmlInt(trainer, "TrainerID", coach ? coach->PlayerID : 0);
  XmlText(trainer, "TrainerName", coach ? coach->Name.Full() : "");
  XmlText(trainer, "ArrivalDate", TWorldDate::FormatMoment(w.CoachArrival * 86400 + 54000));
  XmlInt(t, "Morale", w.Morale);
  XmlInt(t, "SelfConfidence", w.SelfConfidence);
  for (int code : {442, 433, 451, 352, 532, 343, 541}) {
    const std::string name = "Experience" + std::to_string(code);
    XmlInt(t, name.c_str(), static_cast<int>(w.FormationExperience.at(code)));
  }
}

void FillArena(const TSampleWorldState& w, pugi::xml_node root, int64_t moment) {
  const auto& team = w.Teams[static_cast<size_t>(w.OwnTeam)];
  const auto& country = WorldCountries()[static_cast<size_t>(w.OwnCountry)];
  Header(root, "arenaDetails.asp", "1.5", w.UserID, moment);
  auto a = XmlChild(root, "Arena");
  XmlInt(a, "ArenaID", team.ArenaID);
  XmlText(a, "ArenaName", team.ArenaName);
  auto t = XmlChild(a, "Team");
  XmlInt(t, "TeamID", team.TeamID);
  XmlText(t, "TeamName", team.Name);
  auto league = XmlChild(a, "League");
  XmlInt(league, "LeagueID", country.LeagueID);
  XmlText(league, "LeagueName", country.LeagueName);
  auto region = XmlChild(a, "Region");
  XmlInt(region, "RegionID", w.OwnRegionID);
  XmlText(region, "RegionName", w.OwnRegionName);
  auto current = XmlChild(a, "CurrentCapacity");
  XmlText(current, "RebuiltDate", TWorldDate::FormatMoment(w.Arena.RebuiltDay * 86400 + 36000));
  XmlInt(current, "Terraces", w.Arena.Terraces);
  XmlInt(current, "Basic", w.Arena.Basic);
  XmlInt(current, "Roof", w.Arena.Roof);
  XmlInt(current, "VIP", w.Arena.VIP);
  XmlInt(current, "Total", w.Arena.Total());
  auto expanded = XmlChild(a, "ExpandedCapacity");
  if (w.Arena.Building) {
    expanded.append_attribute("Available") = "True";
    XmlText(expanded, "ExpansionDate",
            TWorldDate::FormatMoment((w.SaturdayOfWeek(w.Week) + 7 * w.Arena.WeeksLeft - 2) * 86400 + 36000));
    XmlInt(expanded, "Terraces", w.Arena.NewTerraces);
    XmlInt(expanded, "Basic", w.Arena.NewBasic);
    XmlInt(expanded, "Roof", w.Arena.NewRoof);
    XmlInt(expanded, "VIP", w.Arena.NewVIP);
    XmlInt(expanded, "Total", w.Arena.NewTerraces + w.Arena.NewBasic + w.Arena.NewRoof + w.Arena.NewVIP);
  } else {
    // Nothing under construction: the elements are there but empty, as the game sends them.
    expanded.append_attribute("Available") = "False";
    for (const char* name : {"Terraces", "Basic", "Roof", "VIP", "Total"}) XmlText(expanded, name, "");
  }
}

void FillEconomy(const TSampleWorldState& w, pugi::xml_node root, int64_t moment) {
  const auto& team = w.Teams[static_cast<size_t>(w.OwnTeam)];
  Header(root, "economy.asp", "1.3", w.UserID, moment);
  auto t = XmlChild(root, "Team");
  XmlInt(t, "TeamID", team.TeamID);
  XmlText(t, "TeamName", team.Name);
  const auto& e = w.Economy;
  const auto& l = w.LastEconomy;
  XmlInt(t, "Cash", w.Cash);
  XmlInt(t, "ExpectedCash", w.Cash + e.Total());
  XmlInt(t, "SponsorsPopularity", w.SponsorsPopularity);
  XmlInt(t, "SupportersPopularity", w.SupportersPopularity);
  XmlInt(t, "FanClubSize", w.FanClubSize);
  for (const TWorldEconomyWeek* x : {&e, &l}) {
    const std::string prefix = x == &l ? "Last" : "";
    auto put = [&](const char* name, int64_t value) { XmlInt(t, (prefix + name).c_str(), value); };
    put("IncomeSpectators", x->IncomeSpectators);
    put("IncomeSponsors", x->IncomeSponsors);
    put("IncomeFinancial", x->IncomeFinancial);
    put("IncomeTemporary", x->IncomeTemporary);
    put("IncomeSum", x->IncomeSum());
    put("CostsArena", x->CostsArena);
    put("CostsPlayers", x->CostsPlayers);
    put("CostsFinancial", x->CostsFinancial);
    put("CostsStaff", x->CostsStaff);
    put("CostsTemporary", x->CostsTemporary);
    put("CostsYouth", x->CostsYouth);
    put("CostsSum", x->CostsSum());
    put(x == &l ? "WeeksTotal" : "ExpectedWeeksTotal", x->Total());
  }
}

void FillClub(const TSampleWorldState& w, pugi::xml_node root, int64_t moment) {
  const auto& team = w.Teams[static_cast<size_t>(w.OwnTeam)];
  Header(root, "club.asp", "1.2", w.UserID, moment);
  auto t = XmlChild(root, "Team");
  XmlInt(t, "TeamID", team.TeamID);
  XmlText(t, "TeamName", team.Name);
  auto specialists = XmlChild(t, "Specialists");
  const char* names[] = {"KeeperTrainers", "AssistantTrainers", "Psychologists", "PressSpokesmen",
                         "Economists",     "Physiotherapists",  "Doctors"};
  for (size_t i = 0; i < 7; ++i) XmlInt(specialists, names[i], w.Specialists[i]);
  auto youth = XmlChild(t, "YouthSquad");
  XmlInt(youth, "Investment", 20000 * w.YouthLevel);
  XmlText(youth, "HasPromoted", "False");
  XmlInt(youth, "YouthLevel", w.YouthLevel);
}

void FillRegion(const TSampleWorldState& w, pugi::xml_node root, int64_t moment) {
  Header(root, "regionDetails.asp", "1.2", w.UserID, moment);
  const auto& country = WorldCountries()[static_cast<size_t>(w.OwnCountry)];
  auto league = XmlChild(root, "League");
  XmlInt(league, "LeagueID", country.LeagueID);
  XmlText(league, "LeagueName", country.LeagueName);
  auto region = XmlChild(league, "Region");
  auto r = TWorldRandom::For({w.Seed, 0x57u, static_cast<uint64_t>(w.Week)});
  XmlInt(region, "RegionID", w.OwnRegionID);
  XmlText(region, "RegionName", w.OwnRegionName);
  XmlInt(region, "WeatherID", r.Int(0, 3));
  XmlInt(region, "TomorrowWeatherID", r.Int(0, 3));
  XmlInt(region, "NumberOfUsers", 300 + w.OwnRegionID % 700);
  XmlInt(region, "NumberOfOnline", r.Int(2, 40));
}

void FillWorld(const TSampleWorldState& w, pugi::xml_node root, int64_t moment, bool trimmed) {
  Header(root, "worldDetails.asp", "1.5", w.UserID, moment);
  auto list = XmlChild(root, "LeagueList");
  const auto& countries = WorldCountries();
  for (size_t i = 0; i < countries.size(); ++i) {
    if (trimmed && static_cast<int>(i) != w.OwnCountry) continue;
    const auto& c = countries[i];
    auto l = XmlChild(list, "League");
    XmlInt(l, "LeagueID", c.LeagueID);
    XmlText(l, "LeagueName", c.LeagueName);
    XmlInt(l, "Season", w.LeagueSeason(static_cast<int>(i), w.Week));
    XmlInt(l, "SeasonOffset", c.SeasonOffset - countries[0].SeasonOffset);
    XmlInt(l, "MatchRound", w.LeagueRound(static_cast<int>(i), w.Week));
    XmlText(l, "ShortName", c.ShortName);
    XmlText(l, "Continent", c.Continent);
    XmlText(l, "ZoneName", c.ZoneName);
    XmlText(l, "EnglishName", c.EnglishName);
    XmlInt(l, "LanguageId", c.LanguageID);
    XmlText(l, "LanguageName", c.LanguageName);
    auto country = XmlChild(l, "Country");
    XmlInt(country, "CountryID", c.CountryID);
    XmlText(country, "CountryName", c.CountryName);
    XmlText(country, "CurrencyName", c.CurrencyName);
    XmlText(country, "CurrencyRate", c.CurrencyRate);
    XmlText(country, "CountryCode", c.CountryCode);
    XmlInt(l, "NationalTeamId", 3000 + c.LeagueID);
    XmlInt(l, "ActiveTeams", c.ActiveTeams + w.Week);
    XmlInt(l, "ActiveUsers", c.ActiveTeams * 9 / 10 + w.Week);
    XmlInt(l, "WaitingUsers", 0);
    const int shift = static_cast<int>(i) % 3;  // the countries' timetables differ by a few hours
    XmlText(l, "TrainingDate", TWorldDate::FormatMoment(NextAt(moment, 3, (5 + shift) * 3600)));
    XmlText(l, "EconomyDate", TWorldDate::FormatMoment(NextAt(moment, 4, 600 + shift * 3600)));
    XmlText(l, "CupMatchDate", TWorldDate::FormatMoment(NextAt(moment, 2, (19 - shift) * 3600 + 1800)));
    XmlText(l, "SeriesMatchDate", TWorldDate::FormatMoment(NextAt(moment, 5, (15 + shift) * 3600)));
    XmlInt(l, "NumberOfLevels", c.NumberOfLevels);
  }
}

std::string Serialize(const pugi::xml_document& doc) { return XmlToString(doc); }

}  // namespace

// ---- own-team files -------------------------------------------------------------------------------------

std::string TSampleWorldState::OwnFile(int index, int64_t moment) const {
  // The nine downloads follow each other a couple of seconds apart; the world file comes last and its
  // FetchedDate is the snapshot's.
  const int64_t at = moment - 2 * (SampleOwnFileCount - 1 - index);
  pugi::xml_document doc;
  auto root = XmlAnswerRoot(doc);
  switch (index) {
    case 0: FillTeam(*this, root, OwnTeam, at); break;
    case 1: FillLeague(*this, root, OwnUnit, at); break;
    case 2: FillPlayers(*this, root, at); break;
    case 3: FillTraining(*this, root, at); break;
    case 4: FillArena(*this, root, at); break;
    case 5: FillEconomy(*this, root, at); break;
    case 6: FillClub(*this, root, at); break;
    case 7: FillRegion(*this, root, at); break;
    default: FillWorld(*this, root, at, false); break;
  }
  return Serialize(doc);
}

std::string TSampleWorldState::WorldFile(int64_t moment, bool trimmed) const {
  pugi::xml_document doc;
  FillWorld(*this, XmlAnswerRoot(doc), moment, trimmed);
  return Serialize(doc);
}

std::string TSampleWorldState::LeagueAnswer(int unitID) const {
  const int unit = unitID == 0 ? OwnUnit : UnitIndexOf(unitID);
  if (unit < 0) return {};
  pugi::xml_document doc;
  FillLeague(*this, XmlAnswerRoot(doc), unit, Now());
  return Serialize(doc);
}

std::string TSampleWorldState::TeamAnswer(int teamID) const {
  const int team = teamID == 0 ? OwnTeam : TeamIndexOf(teamID);
  if (team < 0) return {};
  pugi::xml_document doc;
  FillTeam(*this, XmlAnswerRoot(doc), team, Now());
  return Serialize(doc);
}

// ---- matches ---------------------------------------------------------------------------------------------

namespace {

void FillTeamPair(pugi::xml_node node, const TWorldMatch& m) {
  auto home = XmlChild(node, "HomeTeam");
  XmlInt(home, "HomeTeamID", m.Home.TeamID);
  XmlText(home, "HomeTeamName", m.Home.TeamName);
  auto away = XmlChild(node, "AwayTeam");
  XmlInt(away, "AwayTeamID", m.Away.TeamID);
  XmlText(away, "AwayTeamName", m.Away.TeamName);
}

void FillSideDetails(pugi::xml_node node, const TWorldSide& s, bool home) {
  XmlInt(node, home ? "HomeTeamID" : "AwayTeamID", s.TeamID);
  XmlText(node, home ? "HomeTeamName" : "AwayTeamName", s.TeamName);
  XmlText(node, "Formation", s.Formation);
  XmlInt(node, home ? "HomeGoals" : "AwayGoals", s.Goals);
  XmlInt(node, "TacticType", s.TacticType);
  XmlInt(node, "TacticSkill", s.TacticSkill);
  if (s.Attitude) XmlInt(node, "TeamAttitude", *s.Attitude);
  const char* names[] = {"RatingMidfield", "RatingRightDef", "RatingMidDef", "RatingLeftDef",
                         "RatingRightAtt", "RatingMidAtt",   "RatingLeftAtt"};
  for (size_t i = 0; i < 7; ++i) XmlInt(node, names[i], s.Ratings[i]);
}

// The match shell of a league fixture (for matches lists and fixtures, played or not).
TWorldMatch FixtureShell(const TSampleWorldState& w, int unitIndex, int week, int game) {
  auto [h, a] = w.Fixture(unitIndex, week / TSampleWorldState::RoundsPerSeason, TSampleWorldState::RoundOfWeek(week), game);
  TWorldMatch m;
  m.MatchID = w.LeagueMatchID(unitIndex, week, game);
  m.Week = week;
  m.Kickoff = w.LeagueKickoff(week);
  m.Home.TeamID = w.Teams[static_cast<size_t>(h)].TeamID;
  m.Home.TeamName = w.Teams[static_cast<size_t>(h)].Name;
  m.Away.TeamID = w.Teams[static_cast<size_t>(a)].TeamID;
  m.Away.TeamName = w.Teams[static_cast<size_t>(a)].Name;
  return m;
}

}  // namespace

void TSampleWorldState::FillLineupAnswer(pugi::xml_node root, const TWorldMatch& m, bool homeSide, int64_t moment) const {
  Header(root, "matchLineup.asp", "1.6", UserID, moment);
  XmlInt(root, "MatchID", m.MatchID);
  XmlText(root, "IsYouth", "False");
  XmlInt(root, "MatchType", m.MatchType);
  XmlText(root, "MatchDate", TWorldDate::FormatMoment(m.Kickoff));
  FillTeamPair(root, m);
  auto arena = XmlChild(root, "Arena");
  XmlInt(arena, "ArenaID", m.ArenaID);
  XmlText(arena, "ArenaName", m.ArenaName);
  const auto& side = homeSide ? m.Home : m.Away;
  auto team = XmlChild(root, "Team");
  XmlInt(team, "TeamID", side.TeamID);
  XmlText(team, "TeamName", side.TeamName);
  XmlInt(team, "ExperienceLevel", side.ExperienceLevel);
  auto lineup = XmlChild(team, "Lineup");
  for (const auto& e : side.Lineup) {
    auto p = XmlChild(lineup, "Player");
    XmlInt(p, "PlayerID", e.PlayerID);
    XmlInt(p, "RoleID", e.RoleID);
    XmlText(p, "PlayerName", e.FirstName + " " + e.LastName);
    XmlText(p, "FirstName", e.FirstName);
    XmlText(p, "LastName", e.LastName);
    XmlText(p, "NickName", "");
    if (e.PositionCode > 0) XmlInt(p, "PositionCode", e.PositionCode);
    if (e.Stars >= 0) XmlText(p, "RatingStars", XmlStars(e.Stars));
    if (e.Behaviour >= 0) XmlInt(p, "Behaviour", e.Behaviour);
  }
}

void TSampleWorldState::FillDetailsAnswer(pugi::xml_node root, const TWorldMatch& m, int64_t moment) const {
  Header(root, "matchDetails.asp", "1.3", UserID, moment);
  auto match = XmlChild(root, "Match");
  XmlInt(match, "MatchID", m.MatchID);
  XmlInt(match, "MatchType", m.MatchType);
  XmlText(match, "MatchDate", TWorldDate::FormatMoment(m.Kickoff));
  XmlText(match, "FinishedDate", TWorldDate::FormatMoment(m.Kickoff + 6300));
  FillSideDetails(XmlChild(match, "HomeTeam"), m.Home, true);
  FillSideDetails(XmlChild(match, "AwayTeam"), m.Away, false);
  auto arena = XmlChild(match, "Arena");
  XmlInt(arena, "ArenaID", m.ArenaID);
  XmlText(arena, "ArenaName", m.ArenaName);
  XmlInt(arena, "WeatherID", m.WeatherID);
  XmlInt(arena, "SoldTotal", m.SoldTotal);
  XmlInt(arena, "SoldTerraces", m.SoldTerraces);
  XmlInt(arena, "SoldBasic", m.SoldBasic);
  XmlInt(arena, "SoldRoof", m.SoldRoof);
  XmlInt(arena, "SoldVIP", m.SoldVIP);
  auto scorers = XmlChild(match, "Scorers");
  for (size_t i = 0; i < m.Goals.size(); ++i) {
    const auto& g = m.Goals[i];
    auto n = XmlChild(scorers, "Goal");
    n.append_attribute("Index") = static_cast<int>(i);
    XmlInt(n, "ScorerPlayerID", g.PlayerID);
    XmlText(n, "ScorerPlayerName", g.PlayerName);
    XmlInt(n, "ScorerTeamID", g.TeamID);
    XmlInt(n, "ScorerHomeGoals", g.HomeGoals);
    XmlInt(n, "ScorerAwayGoals", g.AwayGoals);
    XmlInt(n, "ScorerMinute", g.Minute);
  }
  auto bookings = XmlChild(match, "Bookings");
  for (size_t i = 0; i < m.Bookings.size(); ++i) {
    const auto& b = m.Bookings[i];
    auto n = XmlChild(bookings, "Booking");
    n.append_attribute("Index") = static_cast<int>(i);
    XmlInt(n, "BookingPlayerID", b.PlayerID);
    XmlText(n, "BookingPlayerName", b.PlayerName);
    XmlInt(n, "BookingTeamID", b.TeamID);
    XmlInt(n, "BookingType", b.Kind);
    XmlInt(n, "BookingMinute", b.Minute);
  }
  auto injuries = XmlChild(match, "Injuries");
  for (size_t i = 0; i < m.Injuries.size(); ++i) {
    const auto& b = m.Injuries[i];
    auto n = XmlChild(injuries, "Injury");
    n.append_attribute("Index") = static_cast<int>(i);
    XmlInt(n, "InjuryPlayerID", b.PlayerID);
    XmlText(n, "InjuryPlayerName", b.PlayerName);
    XmlInt(n, "InjuryTeamID", b.TeamID);
    XmlInt(n, "InjuryType", b.Kind);
    XmlInt(n, "InjuryMinute", b.Minute);
  }
  XmlInt(match, "PossessionFirstHalfHome", m.PossessionFirstHome);
  XmlInt(match, "PossessionFirstHalfAway", 100 - m.PossessionFirstHome);
  XmlInt(match, "PossessionSecondHalfHome", m.PossessionSecondHome);
  XmlInt(match, "PossessionSecondHalfAway", 100 - m.PossessionSecondHome);
  auto events = XmlChild(match, "EventList");
  int index = 0;
  auto event = [&](int minute, int64_t subject, int teamID, int type, const std::string& text) {
    auto n = XmlChild(events, "Event");
    n.append_attribute("Index") = index++;
    XmlInt(n, "Minute", minute);
    XmlInt(n, "SubjectPlayerID", subject);
    XmlInt(n, "SubjectTeamID", teamID);
    XmlInt(n, "EventTypeID", type);
    XmlText(n, "EventText", text);
  };
  event(0, 0, 0, 31, std::to_string(m.SoldTotal) + " spectators came to " + m.ArenaName + ".");
  event(0, 0, m.Home.TeamID, 20, m.Home.TeamName + " lined up in a " + m.Home.Formation + ".");
  event(0, 0, m.Away.TeamID, 20, m.Away.TeamName + " lined up in a " + m.Away.Formation + ".");
  for (const auto& g : m.Goals)
    event(g.Minute, g.PlayerID, g.TeamID, 100,
          g.PlayerName + " scored: " + std::to_string(g.HomeGoals) + " - " + std::to_string(g.AwayGoals) + ".");
  event(90, 0, 0, 599, "The referee ended the match at " + std::to_string(m.Home.Goals) + " - " +
                           std::to_string(m.Away.Goals) + ".");
}

std::string TSampleWorldState::LineupAnswer(int64_t matchID, int teamID) const {
  if (teamID == 0) teamID = Teams[static_cast<size_t>(OwnTeam)].TeamID;
  const int team = TeamIndexOf(teamID);
  if (team < 0) return {};
  if (matchID == 0) {
    // The team's latest finished match: the own team's last one, another team's last league match.
    if (team == OwnTeam) {
      if (OwnMatchOrder.empty()) return {};
      matchID = OwnMatchOrder.back();
    } else {
      const int unit = Teams[static_cast<size_t>(team)].UnitIndex;
      for (int wk = Week - 1; wk >= 0 && !matchID; --wk) {
        if (RoundOfWeek(wk) > LeagueRounds) continue;
        const int game = GameOfTeam(unit, wk / RoundsPerSeason, RoundOfWeek(wk), team);
        matchID = LeagueMatchID(unit, wk, game);
      }
      if (!matchID) return {};
    }
  }
  auto match = FindMatch(matchID);
  if (!match || (match->Home.TeamID != teamID && match->Away.TeamID != teamID)) return {};
  pugi::xml_document doc;
  FillLineupAnswer(XmlAnswerRoot(doc), *match, match->Home.TeamID == teamID, Now());
  return Serialize(doc);
}

std::string TSampleWorldState::DetailsAnswer(int64_t matchID) const {
  auto match = FindMatch(matchID);
  if (!match) return {};
  pugi::xml_document doc;
  FillDetailsAnswer(XmlAnswerRoot(doc), *match, Now());
  return Serialize(doc);
}

std::string TSampleWorldState::MatchesAnswer(int teamID) const {
  if (teamID == 0) teamID = Teams[static_cast<size_t>(OwnTeam)].TeamID;
  const int team = TeamIndexOf(teamID);
  if (team < 0) return {};
  // Like the game's list: the latest finished matches (across the season's end), then the coming one.
  constexpr size_t Recent = 20;
  const int seasonIndex = Week / RoundsPerSeason;
  std::vector<std::pair<TWorldMatch, bool>> list;  // match, finished
  if (team == OwnTeam) {
    const size_t from = OwnMatchOrder.size() > Recent ? OwnMatchOrder.size() - Recent : 0;
    for (size_t i = from; i < OwnMatchOrder.size(); ++i) list.push_back({OwnMatches.at(OwnMatchOrder[i]), true});
  } else {
    const int unit = Teams[static_cast<size_t>(team)].UnitIndex;
    for (int wk = Week - 1; wk >= 0 && list.size() < Recent; --wk) {
      if (RoundOfWeek(wk) > LeagueRounds) continue;
      const int game = GameOfTeam(unit, wk / RoundsPerSeason, RoundOfWeek(wk), team);
      TWorldMatch m = FixtureShell(*this, unit, wk, game);
      auto result = LeagueResult(unit, wk, game);
      m.Home.Goals = result ? result->first : 0;
      m.Away.Goals = result ? result->second : 0;
      list.push_back({m, true});
    }
    std::reverse(list.begin(), list.end());
  }
  if (RoundOfWeek(Week) <= LeagueRounds) {  // the coming league match
    const int unit = Teams[static_cast<size_t>(team)].UnitIndex;
    list.push_back({FixtureShell(*this, unit, Week, GameOfTeam(unit, seasonIndex, RoundOfWeek(Week), team)), false});
  }
  const auto& t = Teams[static_cast<size_t>(team)];
  pugi::xml_document doc;
  auto root = XmlAnswerRoot(doc);
  Header(root, "matches.asp", "1.4", UserID, Now());
  XmlText(root, "IsYouth", "False");
  auto teamNode = XmlChild(root, "Team");
  XmlInt(teamNode, "TeamID", t.TeamID);
  XmlText(teamNode, "TeamName", t.Name);
  XmlText(teamNode, "ShortTeamName", t.ShortName);
  auto matchList = XmlChild(teamNode, "MatchList");
  for (const auto& [m, finished] : list) {
    auto n = XmlChild(matchList, "Match");
    XmlInt(n, "MatchID", m.MatchID);
    FillTeamPair(n, m);
    XmlText(n, "MatchDate", TWorldDate::FormatMoment(m.Kickoff));
    XmlInt(n, "MatchType", m.MatchType);
    if (finished) {
      XmlInt(n, "HomeGoals", m.Home.Goals);
      XmlInt(n, "AwayGoals", m.Away.Goals);
    }
    XmlText(n, "Status", finished ? "FINISHED" : "UPCOMING");
  }
  return Serialize(doc);
}

std::string TSampleWorldState::FixturesAnswer(int unitID, int season) const {
  const int unit = unitID == 0 ? OwnUnit : UnitIndexOf(unitID);
  if (unit < 0) return {};
  const int country = Units[static_cast<size_t>(unit)].CountryIndex;
  const int offset = LeagueSeason(country, Week) - SeasonOfWeek(Week);  // the league's own numbering
  const int seasonIndex = season == 0 ? Week / RoundsPerSeason : season - offset - FirstSeason;
  if (seasonIndex < 0 || seasonIndex > Week / RoundsPerSeason) return {};
  const auto& u = Units[static_cast<size_t>(unit)];
  pugi::xml_document doc;
  auto root = XmlAnswerRoot(doc);
  Header(root, "leagueFixtures.asp", "1.2", UserID, Now());
  XmlInt(root, "LeagueLevelUnitID", u.UnitID);
  XmlText(root, "LeagueLevelUnitName", u.Name);
  XmlInt(root, "Season", FirstSeason + seasonIndex + offset);
  for (int round = 1; round <= LeagueRounds; ++round) {
    const int wk = seasonIndex * RoundsPerSeason + round - 1;
    for (int g = 0; g < 4; ++g) {
      TWorldMatch m = FixtureShell(*this, unit, wk, g);
      auto n = XmlChild(root, "Match");
      XmlInt(n, "MatchID", m.MatchID);
      XmlInt(n, "MatchRound", round);
      FillTeamPair(n, m);
      XmlText(n, "MatchDate", TWorldDate::FormatMoment(m.Kickoff));
      if (auto result = LeagueResult(unit, wk, g)) {
        XmlInt(n, "HomeGoals", result->first);
        XmlInt(n, "AwayGoals", result->second);
      }
    }
  }
  return Serialize(doc);
}

// ---- the old single-file record form ----------------------------------------------------------------------

std::string TSampleWorldState::RecordText() const {
  std::string text;
  auto line = [&](const std::string& key, const std::string& value) { text += key + "=" + value + "\r\n"; };
  auto num = [&](const std::string& key, int64_t value) { line(key, std::to_string(value)); };
  const auto& team = Teams[static_cast<size_t>(OwnTeam)];
  const auto& unit = Units[static_cast<size_t>(OwnUnit)];
  const auto& country = WorldCountries()[static_cast<size_t>(OwnCountry)];
  const auto table = LeagueTable(*this, OwnUnit, Week);
  TTableRow own;
  int position = 0;
  for (size_t i = 0; i < table.size(); ++i)
    if (table[i].Team == OwnTeam) {
      own = table[i];
      position = static_cast<int>(i) + 1;
    }
  const auto* coach = Coach(*this);
  text += "[Kickvale rating record]\r\n";
  num("leagueID", country.LeagueID);
  num("teamID", team.TeamID);
  line("teamName", team.Name);
  line("owner", Loginname);  // before the keys that begin with "owner"
  line("ownerEmail", Email);
  line("ownerICQ", "");
  line("ownerHomepage", HomePage);
  line("date", TWorldDate::FormatDay(Now() / 86400));
  num("season", SeasonOfWeek(Week));
  num("matchround", RoundOfWeek(Week));
  num("countryID", country.CountryID);
  line("serie", unit.Name);
  num("spelade", own.Matches);
  num("gjorda", own.GoalsFor);
  num("inslappta", own.GoalsAgainst);
  num("poang", own.Points);
  num("placering", position);
  num("victories", NumberOfVictories);
  num("undefeated", NumberOfUndefeated);
  num("fanclub", FanClubSize);
  num("sponsors", SponsorsPopularity);
  num("supporters", SupportersPopularity);
  const char* staff[] = {"mvTranare", "hjTranare", "psykolog", "presstalesman", "ekonom", "massor", "lakare"};
  for (size_t i = 0; i < 7; ++i) num(staff[i], Specialists[i]);
  num("juniorverksamhet", YouthLevel);
  num("trLevel", TrainingLevel);
  num("trTypeValue", TrainingType);
  num("stamningValue", Morale);
  num("sjalvfortroendeValue", SelfConfidence);
  for (int code : {433, 451, 352, 532, 343, 541})
    num("exper" + std::to_string(code), static_cast<int>(FormationExperience.at(code)));
  num("trainer", coach ? coach->PlayerID : 0);
  num("cash", Cash + Economy.Total());
  for (const auto& pair : {std::make_pair(std::string(), &Economy), std::make_pair(std::string("last"), &LastEconomy)}) {
    // Named copies, not a structured binding: clang 14 (the fuzz build) cannot capture bindings in lambdas.
    const std::string& prefix = pair.first;
    const auto* e = pair.second;
    auto key = [&](const char* name) {
      std::string k = name;
      if (!prefix.empty()) k = prefix + static_cast<char>(k[0] - 'a' + 'A') + k.substr(1);
      return k;
    };
    num(key("incomeSponsorer"), e->IncomeSponsors);
    num(key("incomePublik"), e->IncomeSpectators);
    num(key("incomeFinansiella"), e->IncomeFinancial);
    num(key("incomeTillfalliga"), e->IncomeTemporary);
    num(key("incomeSumma"), e->IncomeSum());
    num(key("costsSpelare"), e->CostsPlayers);
    num(key("costsPersonal"), e->CostsStaff);
    num(key("costsArena"), e->CostsArena);
    num(key("costsJuniorverksamhet"), e->CostsYouth);
    num(key("costsRantor"), e->CostsFinancial);
    num(key("costsTillfalliga"), e->CostsTemporary);
    num(key("costsSumma"), e->CostsSum());
    num(key("total"), e->Total());
  }
  line("arenaname", team.ArenaName);
  num("antalStaplats", Arena.Terraces);
  num("antalSitt", Arena.Basic);
  num("antalTak", Arena.Roof);
  num("antalVIP", Arena.VIP);
  num("seatTotal", Arena.Total());
  num("expandingStaplats", Arena.Building ? Arena.NewTerraces : 0);
  num("expandingSitt", Arena.Building ? Arena.NewBasic : 0);
  num("expandingTak", Arena.Building ? Arena.NewRoof : 0);
  num("expandingVIP", Arena.Building ? Arena.NewVIP : 0);
  text += "\r\n";
  for (const auto& p : Squad) {
    text += "[player" + std::to_string(p.PlayerID) + "]\r\n";
    line("name", p.Name.Full());
    num("ald", p.Age);
    num("ska", p.InjuryLevel);
    num("for", p.Form);
    const int order[] = {0, 1, 3, 5, 2, 7, 6, 4};  // uth spe mal fra ytt fas bac mlv
    const char* keys[] = {"uth", "spe", "mal", "fra", "ytt", "fas", "bac", "mlv"};
    for (size_t k = 0; k < 8; ++k) num(keys[k], p.Skills[static_cast<size_t>(order[k])]);
    num("rut", p.Experience);
    num("led", p.Leadership);
    num("sal", p.Salary);
    num("mkt", int64_t{p.TSI} * 1000);
    num("gev", p.CareerGoals);
    num("gtl", p.LeagueGoals);
    num("gtc", p.CupGoals);
    num("gtt", p.FriendliesGoals);
    num("kck", p.CareerKickvales);
    num("CountryID", p.CountryID);
    num("warnings", p.Cards);
    num("speciality", p.Specialty);
    line("specialityLabel", SpecialtyNames[p.Specialty]);
    num("gentleness", p.Agreeability);
    line("gentlenessLabel", AgreeabilityNames[p.Agreeability]);
    num("honesty", p.Honesty);
    line("honestyLabel", HonestyNames[p.Honesty]);
    num("Aggressiveness", p.Aggressiveness);
    line("AggressivenessLabel", AggressivenessNames[p.Aggressiveness]);
    line("TrainerType", p.Coach ? std::to_string(p.TrainerType) : "");
    line("TrainerSkill", p.Coach ? std::to_string(p.TrainerSkill) : "");
    text += "\r\n";
  }
  return text;
}
