// Real answers of the game's interface (CR LF line ends, non-ASCII names) read with the club readers.
#include "TestSupport.h"

#include "data/XMLEconomy.h"
#include "data/XMLLeague.h"
#include "data/XMLTeam.h"
#include "data/XMLTraining.h"
#include "data/XMLWorld.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <sstream>

namespace {
TEST(RealDataClubFiles, EconomyGivesExactlyTheServersFigures) {
  TXMLEconomy e;
  e.Read(FixturePath("realdata/economy.xml"));
  EXPECT_EQ(e.FanClubSize, 1727);
  EXPECT_EQ(e.SponsorsPopularity, 8);
  EXPECT_EQ(e.SupportersPopularity, 7);
  EXPECT_EQ(e.Cash, 25969276);
  EXPECT_EQ(e.ExpectedCash, 25415976);
  EXPECT_EQ(e.IncomeSponsors, 941700);
  EXPECT_EQ(e.IncomeSpectators, 0);
  EXPECT_EQ(e.IncomeFinancial, 0);
  EXPECT_EQ(e.IncomeTemporary, 300);
  EXPECT_EQ(e.IncomeSum, 942000);
  EXPECT_EQ(e.CostsPlayers, 375300);
  EXPECT_EQ(e.CostsStaff, 630000);
  EXPECT_EQ(e.CostsArena, 270000);
  EXPECT_EQ(e.CostsYouth, 200000);
  EXPECT_EQ(e.CostsFinancial, 0);
  EXPECT_EQ(e.CostsTemporary, 20000);
  EXPECT_EQ(e.CostsSum, 1495300);
  EXPECT_EQ(e.ExpectedWeeksTotal, -553300);
  EXPECT_EQ(e.LastIncomeSponsors, 939850);
  EXPECT_EQ(e.LastIncomeSpectators, 4251195);
  EXPECT_EQ(e.LastIncomeFinancial, 0);
  EXPECT_EQ(e.LastIncomeTemporary, 1800);
  EXPECT_EQ(e.LastIncomeSum, 5192845);
  EXPECT_EQ(e.LastCostsPlayers, 373860);
  EXPECT_EQ(e.LastCostsStaff, 630000);
  EXPECT_EQ(e.LastCostsArena, 270000);
  EXPECT_EQ(e.LastCostsYouth, 200000);
  EXPECT_EQ(e.LastCostsFinancial, 0);
  EXPECT_EQ(e.LastCostsTemporary, 60000);
  EXPECT_EQ(e.LastCostsSum, 1533860);
  EXPECT_EQ(e.LastWeeksTotal, 3658985);
}

TEST(RealDataClubFiles, TrainingGivesExactlyTheServersValues) {
  TXMLTraining t;
  t.Read(FixturePath("realdata/training.xml"));
  EXPECT_EQ(t.TrainingLevel, 100);
  EXPECT_EQ(t.StaminaTrainingPart, 10);
  EXPECT_EQ(t.TrainingType, 8);
  EXPECT_EQ(t.Morale, 1);
  EXPECT_EQ(t.SelfConfidence, 5);
  EXPECT_EQ(t.Experience433, 3);
  EXPECT_EQ(t.Experience451, 3);
  EXPECT_EQ(t.Experience352, 7);
  EXPECT_EQ(t.Experience532, 3);
  EXPECT_EQ(t.Experience343, 9);
  EXPECT_EQ(t.Experience541, 3);
  EXPECT_EQ(t.TrainerID, 238124673);
}

TEST(RealDataClubFiles, LeagueDetailsGiveTheRowOfTheTeam) {
  struct TRow {
    const char* TeamID;
    int32_t Position, Matches, GoalsFor, GoalsAgainst, Points;
  };
  const TRow rows[] = {
      {"177327", 3, 12, 17, 10, 21},   // the file's own team
      {"291167", 2, 12, 23, 9, 25},    // a name with a non-ASCII letter
      {"1761624", 1, 12, 42, 8, 31},   // the first row
      {"967393", 8, 12, 10, 37, 2},    // the last row
      {"17732", 0, 0, 0, 0, 0},        // not in the series
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.TeamID);
    TXMLTeam team;
    team.TeamID = row.TeamID;
    TXMLLeague league(team);
    league.Read(FixturePath("realdata/leaguedetails.xml"));
    EXPECT_EQ(league.Position, row.Position);
    EXPECT_EQ(league.Matches, row.Matches);
    EXPECT_EQ(league.GoalsFor, row.GoalsFor);
    EXPECT_EQ(league.GoalsAgainst, row.GoalsAgainst);
    EXPECT_EQ(league.Points, row.Points);
  }
}

// The world file as the own-team download stores it: LeagueList replaced by one holding a copy of the own
// League only, appended as the root's last child.
std::string TrimmedWorldFile(const std::filesystem::path& full, const std::string& leagueID) {
  pugi::xml_document doc;
  EXPECT_TRUE(doc.load_file(full.c_str()));
  pugi::xml_node root = doc.document_element();
  pugi::xml_node own;
  for (pugi::xml_node league : root.child("LeagueList").children("League"))
    if (leagueID == league.child_value("LeagueID")) own = league;
  pugi::xml_document copy;
  copy.append_copy(own);
  root.remove_child("LeagueList");
  root.append_child("LeagueList").append_copy(copy.first_child());
  std::ostringstream out;
  doc.save(out);
  return out.str();
}

TEST(RealDataClubFiles, WorldDetailsGiveTheWeekOfTheOwnLeagueFullOrTrimmed) {
  struct TLeague {
    const char* LeagueID;
    int32_t Season, MatchRound, CountryID;
  };
  const TLeague leagues[] = {{"1", 91, 2, 1}, {"2", 91, 2, 2}, {"18", 79, 2, 17}};
  const auto full = FixturePath("realdata/worlddetails.xml");
  TTempFolder folder;
  for (const auto& l : leagues) {
    SCOPED_TRACE(l.LeagueID);
    const auto trimmed = folder / (std::string("trimmed-") + l.LeagueID + ".xml");
    WriteWholeFile(trimmed, TrimmedWorldFile(full, l.LeagueID));
    for (const auto& path : {full, trimmed}) {
      TXMLTeam team;
      team.LeagueID = l.LeagueID;
      TXMLWorld world(team);
      world.Read(path);
      EXPECT_EQ(world.FetchedDate, "2025-05-07 23:40:39");
      EXPECT_EQ(world.Season, l.Season);
      EXPECT_EQ(world.MatchRound, l.MatchRound);
      EXPECT_EQ(world.CountryID, l.CountryID);
    }
  }
}

TEST(RealDataClubFiles, FilesWithoutTheTeamsCountsFailTheTeamReader) {
  // training.xml has a Team element but no victories: a strict value, so the file is refused.
  TXMLTeam team;
  EXPECT_THROW(team.Read(FixturePath("realdata/training.xml")), std::exception);
  EXPECT_TRUE(team.TeamID.empty());
}
}  // namespace
