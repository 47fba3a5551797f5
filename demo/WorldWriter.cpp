// Writes a sample world's archive into a program folder, the way years of downloads would have left it.
#include "core/Errors.h"
#include "demo/SampleWorld.h"
#include "demo/WorldDate.h"
#include "demo/WorldState.h"

#include <cstdio>
#include <fstream>

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& path, const std::string& text, TSampleWriteResult& result) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) throw EInOutError("Cannot write " + path.string());
  ++result.Files;
}

void MakeFolder(const fs::path& path) {
  std::error_code ec;
  fs::create_directories(path, ec);
  if (ec || !fs::is_directory(path)) throw EInOutError("Cannot create folder " + path.string());
}

std::string TwoDigits(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%.2d", value);
  return buffer;
}

class TMatchFileWriter {
public:
  TMatchFileWriter(const TSampleWorldState& world, int teamIndex, TSampleWorldInfo* info)
      : FWorld(world), FTeamID(world.Teams[static_cast<size_t>(teamIndex)].TeamID), FInfo(info) {
    auto declaration = FDoc.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "utf-8";
    FRoot = FDoc.append_child("PitchbookTeamData");
  }

  // One MatchData as the match download stores it: the details, the team's own lineup, the opponent's.
  void Add(const TWorldMatch& m, int season, int round) {
    const bool home = m.Home.TeamID == FTeamID;
    const int64_t moment = FWorld.DownloadMomentOf(m);
    auto data = FRoot.append_child("MatchData");
    data.append_attribute("ID") = static_cast<long long>(m.MatchID);
    XmlText(data, "Season", TwoDigits(season));
    XmlText(data, "MatchRound", TwoDigits(round));
    FWorld.FillDetailsAnswer(data.append_child("matchDetails.asp"), m, moment);
    FWorld.FillLineupAnswer(data.append_child("matchLineup.asp"), m, home, moment + 3);
    FWorld.FillLineupAnswer(data.append_child("matchLineup.asp"), m, !home, moment + 5);
    if (FInfo) {
      TSampleMatchInfo i;
      i.FileTeamID = FTeamID;
      i.MatchID = m.MatchID;
      i.Season = season;
      i.Round = round;
      i.MatchType = m.MatchType;
      i.MatchDate = TWorldDate::FormatMoment(m.Kickoff);
      i.HomeTeamID = m.Home.TeamID;
      i.AwayTeamID = m.Away.TeamID;
      i.HomeGoals = m.Home.Goals;
      i.AwayGoals = m.Away.Goals;
      FInfo->Matches.push_back(i);
    }
  }

  void Save(const fs::path& folder, TSampleWriteResult& result) {
    WriteFile(folder / (std::to_string(FTeamID) + ".xml"), XmlToString(FDoc), result);
  }

private:
  const TSampleWorldState& FWorld;
  int FTeamID;
  TSampleWorldInfo* FInfo;
  pugi::xml_document FDoc;
  pugi::xml_node FRoot;
};

}  // namespace

TSampleWriteResult WriteSampleWorld(const fs::path& programFolder, const TSampleWorldOptions& options,
                                    TSampleWorldInfo* info) {
  TSampleWriteResult result;
  const fs::path history = programFolder / "History";
  MakeFolder(history / "Matches");
  MakeFolder(history / "Obsolete");
  MakeFolder(programFolder / "Work");

  TSampleWorld world(options);
  const auto& state = world.State();
  auto writeSnapshot = [&](const std::string& date, const std::vector<std::string>& files) {
    for (int i = 0; i < SampleOwnFileCount; ++i)
      WriteFile(history / (date + " " + SampleOwnFileKind(i) + ".xml"), files[static_cast<size_t>(i)], result);
    ++result.Snapshots;
  };
  for (int week = 0; week <= state.LastWeek; ++week) {
    if (week > 0) world.AdvanceRound();
    const auto plan = state.PlanOfWeek(week);
    if (plan.Missing) continue;
    const std::string date = TWorldDate::FormatDay(plan.MainMoment / 86400);
    if (week == 0 && state.LastWeek > 0) {  // the oldest download survives only as a record file
      WriteFile(history / (date + " Record.krf"), world.RecordFileText(), result);
      continue;
    }
    if (const auto* early = world.EarlySnapshot()) writeSnapshot(early->Date, world.EarlySnapshotFiles());
    std::vector<std::string> files;
    for (int i = 0; i < SampleOwnFileCount; ++i) files.push_back(world.OwnTeamFile(i));
    if (!plan.FullWorld) files.back() = state.WorldFile(plan.MainMoment, true);
    writeSnapshot(date, files);
  }

  // The match files: every match of the own club; the followed teams' league matches of the last two
  // seasons (the manager began to follow them then).
  TMatchFileWriter own(state, state.OwnTeam, info);
  for (int64_t id : state.OwnMatchOrder) {
    const auto& m = state.OwnMatches.at(id);
    own.Add(m, state.SeasonOfWeek(m.Week), TSampleWorldState::RoundOfWeek(m.Week));
  }
  own.Save(history / "Matches", result);
  const int currentSeasonIndex = state.Week / TSampleWorldState::RoundsPerSeason;
  for (int teamIndex : state.Followed) {
    TMatchFileWriter followed(state, teamIndex, info);
    const auto& team = state.Teams[static_cast<size_t>(teamIndex)];
    for (int week = std::max(0, currentSeasonIndex - 1) * TSampleWorldState::RoundsPerSeason; week < state.Week; ++week) {
      const int round = TSampleWorldState::RoundOfWeek(week);
      if (round > TSampleWorldState::LeagueRounds) continue;
      const int game = state.GameOfTeam(team.UnitIndex, week / TSampleWorldState::RoundsPerSeason, round, teamIndex);
      auto match = state.FindMatch(state.LeagueMatchID(team.UnitIndex, week, game));
      if (match) followed.Add(*match, state.LeagueSeason(team.CountryIndex, week), round);
    }
    followed.Save(history / "Matches", result);
  }

  // The team list: the own club and the followed teams ticked, one more team listed but not ticked.
  std::string list;
  auto entry = [&](int teamIndex, bool checked) {
    const auto& t = state.Teams[static_cast<size_t>(teamIndex)];
    list += std::string(checked ? "1|" : "0|") + std::to_string(t.TeamID) + "|" +
            std::to_string(state.Units[static_cast<size_t>(t.UnitIndex)].UnitID) + "|" + t.Name + "|\r\n";
  };
  entry(state.OwnTeam, true);
  for (int f : state.Followed) entry(f, true);
  entry(state.Units[1].Teams[0], false);
  WriteFile(programFolder / "TeamList.kcf", list, result);

  if (info) {
    auto matches = std::move(info->Matches);
    *info = world.Info();
    info->Matches = std::move(matches);
  }
  return result;
}
