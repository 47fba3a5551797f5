// pitchbook-cli matches and ratings on a sample world: the match grid's rows and the player ratings
// window's values, from the same engine functions the windows call.
#include "CliWorld.h"
#include "CsvReader.h"

#include "core/TeamMatchFile.h"
#include "core/Utils.h"
#include "ratings/MatchRowValues.h"
#include "ratings/PlayerRatingsView.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
// The own club's rows as the grid builds them, oldest first.
std::vector<TMatchRowTexts> GridRows(const TCliWorld& world, const std::string& teamID) {
  TTeamMatchFile file;
  file.LoadFromFile(TTeamMatchFile::PathOf(world.Folders.MatchesFolder(), teamID));
  std::vector<TMatchRowTexts> rows;
  for (const pugi::xml_node& match : file.Matches()) rows.push_back(BuildMatchRow(match, teamID));
  std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
    return MatchCellInt(a[mcSeasonWeek]) < MatchCellInt(b[mcSeasonWeek]);
  });
  return rows;
}
}  // namespace

TEST(MatchesCommand, ListsTheGridsRowsOldestFirstAsJsonAndCsv) {
  TCliWorld& world = CliWorld();
  const std::string own = std::to_string(world.Info.OwnTeamID);
  const std::string followed = std::to_string(world.Info.FollowedTeamIDs.at(0));
  struct TCase {
    std::string Arguments;
    std::string TeamID;
  };
  for (const TCase& c : {TCase{"matches", own}, TCase{"matches --team " + followed, followed}}) {
    SCOPED_TRACE(c.Arguments);
    const std::vector<TMatchRowTexts> rows = GridRows(world, c.TeamID);
    ASSERT_GT(rows.size(), 5u);
    const nlohmann::json json = world.Json(c.Arguments);
    EXPECT_EQ(json["teamId"], c.TeamID);
    ASSERT_EQ(json["matches"].size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
      const TMatchRowArray row(rows[i]);
      const auto& m = json["matches"][i];
      EXPECT_EQ(m["MatchName"], MatchCellExportText(mcMatchName, row)) << i;
      EXPECT_EQ(m["Away"], MatchIsAway(row)) << i;
      for (int col : {mcSeasonWeek, mcMatchID, mcFormation, mcTactic, mcMidfield, mcCentralAttack, mcKickStats, mcValue})
        EXPECT_EQ(m[MatchColumnNames[col]].get<int64_t>(), MatchCellInt(rows[i][col])) << i << " " << col;
      EXPECT_DOUBLE_EQ(m["Stars"].get<double>(), StrToFloat(rows[i][mcStars])) << i;
    }

    // The CSV under a German locale and German texts: the same cells, "." decimals, the stable header.
    TGermanTexts german;
    ASSERT_TRUE(german.Available) << PB_GERMAN_MISSING;
    const TCommandResult r = RunCli(c.Arguments + " --csv " + world.Home());
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const TCsvRows csv = ReadCsv(r.Out);
    ASSERT_EQ(csv.size(), rows.size() + 1);
    ASSERT_EQ(csv[0].size(), size_t(MatchColumnCount));
    for (int col = 0; col < MatchColumnCount; ++col) EXPECT_EQ(csv[0][col], MatchColumnNames[col]);
    bool halfStar = false;
    for (size_t i = 0; i < rows.size(); ++i) {
      const TMatchRowArray row(rows[i]);
      for (int col = 0; col < MatchColumnCount; ++col) EXPECT_EQ(csv[i + 1][col], MatchCellExportText(col, row));
      halfStar = halfStar || csv[i + 1][mcStars].find(".5") != std::string::npos;
      EXPECT_EQ(csv[i + 1][mcStars].find(','), std::string::npos);
    }
    EXPECT_TRUE(halfStar) << "no half star to show the decimal point";
  }
}

TEST(RatingsCommand, ShowsWhatThePlayerRatingsWindowShows) {
  TCliWorld& world = CliWorld();
  const std::string own = std::to_string(world.Info.OwnTeamID);
  const std::vector<TMatchRowTexts> rows = GridRows(world, own);
  TTeamMatchFile file;
  file.LoadFromFile(TTeamMatchFile::PathOf(world.Folders.MatchesFolder(), own));
  // The oldest and the newest match, and the first away match.
  std::vector<std::string> ids = {rows.front()[mcMatchID], rows.back()[mcMatchID]};
  for (const auto& row : rows)
    if (MatchIsAway(TMatchRowArray(row))) {
      ids.push_back(row[mcMatchID]);
      break;
    }
  ASSERT_EQ(ids.size(), 3u);
  for (const std::string& id : ids) {
    SCOPED_TRACE(id);
    const pugi::xml_node match = file.FindMatch(id);
    ASSERT_TRUE(match);
    const TSeasonRound when = SplitSeasonWeek(BuildMatchRow(match, own)[mcSeasonWeek]);
    TPlayerRatingsView view;
    view.Input(match, StrToInt(when.Season), StrToInt(when.Round), world.Store);
    const nlohmann::json json = world.Json("ratings " + id);
    EXPECT_EQ(json["ownIsHome"], view.OwnIsHome());
    const TMatchLineupArrangement* lineups[] = {&view.MatchLineupOwn(), &view.MatchLineupOpp()};
    const TMatchRatingModel* ratings[] = {&view.MatchRatingOwn(), &view.MatchRatingOpp()};
    EXPECT_EQ(json["teams"][0]["caption"], view.Team1Caption());
    EXPECT_EQ(json["teams"][1]["caption"], view.Team2Caption());
    EXPECT_EQ(json["teams"][0]["experience"], view.LabelXP());
    for (int side = 0; side < 2; ++side) {
      const auto& team = json["teams"][side];
      // The pitch places in their order, then the filled slots.
      std::vector<int64_t> expected;
      int specialties = 0;
      for (const TPlayerBox& box : lineups[side]->Panels())
        if (box.Visible && box.Filled) expected.push_back(box.PlayerID);
      for (const TPlayerBox& box : lineups[side]->Extras())
        if (box.Filled && box.PlayerID) expected.push_back(box.PlayerID);
      if (side == 1 && !view.OpponentLineupShown()) expected.clear();
      std::vector<int64_t> shown;
      for (const auto& p : team["players"]) {
        shown.push_back(p["playerId"].get<int64_t>());
        specialties += !p["specialty"].get<std::string>().empty();
      }
      EXPECT_EQ(shown, expected) << side;
      if (side == 0) {
        EXPECT_GT(specialties, 0) << "the specialties come from the week's snapshot";
      }
      ASSERT_EQ(team["ratings"]["bars"].size(), 8u);
      for (int b = 0; b < TMatchRatingModel::BarCount; ++b) {
        const TMatchRatingBar& bar = ratings[side]->Bar(b);
        const auto& shownBar = team["ratings"]["bars"][b];
        EXPECT_EQ(shownBar["share"], bar.Percent) << b;
        const std::string level = shownBar["level"];
        const std::string sub = shownBar["subLevel"];
        EXPECT_EQ(sub.empty() ? level : level + "\n(" + sub + ")", bar.LevelText) << b;
        if (b < TMatchRatingModel::TacticBar) {
          EXPECT_EQ(shownBar["relative"], ratings[side]->Relative().Labels()[b]) << b;
        }
      }
      EXPECT_EQ(team["ratings"]["relativeTotal"], ratings[side]->Relative().Total());
    }
  }
  const TCommandResult missing = RunCli("ratings 1 " + world.Home());
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_NE(missing.Err.find("Match 1 is not in the match file"), std::string::npos) << missing.Err;
}
