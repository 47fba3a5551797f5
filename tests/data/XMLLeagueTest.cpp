// The league table reader picks the page's team row by its TeamID text.
#include "XMLFixtureEdit.h"

#include "data/XMLLeague.h"
#include "data/XMLTeam.h"

#include <gtest/gtest.h>

namespace {
TEST(XMLLeague, ReadsTheRowWhoseTeamIDEqualsThePagesTeam) {
  TXMLTeam team;
  TXMLLeague league(team);
  // The team is looked up when the file is read, not when the record is made.
  team.TeamID = "177327";
  league.Read(FixturePath("data/LeagueDetails.xml"));
  EXPECT_EQ(league.Matches, 12);
  EXPECT_EQ(league.GoalsFor, 17);
  EXPECT_EQ(league.GoalsAgainst, 10);
  EXPECT_EQ(league.Points, 21);
  EXPECT_EQ(league.Position, 3);
}

TEST(XMLLeague, RowSelectionAndStrictValues) {
  TXMLTeam team;
  team.TeamID = "177327";
  const auto make = [&team] { return std::make_unique<TXMLLeague>(team); };
  using TInt = TFieldCase<TXMLLeague, int32_t>;
  const std::string ownID = "<TeamID>177327</TeamID>";
  RunFieldCases<TXMLLeague, int32_t>(
      "LeagueDetails.xml",
      {
          TInt{"no row of the team: all zero", ownID, "<TeamID>1</TeamID>", &TXMLLeague::Points, 0, ""},
          TInt{"no row of the team: position zero", ownID, "<TeamID>1</TeamID>", &TXMLLeague::Position, 0, ""},
          TInt{"no Team rows at all", "Team>", "Club>", &TXMLLeague::Matches, 0, ""},
          TInt{"IDs compare as text", ownID, "<TeamID>0177327</TeamID>", &TXMLLeague::GoalsFor, 0, ""},
          TInt{"bad value in the team's row", "<Points>21<", "<Points>2l<", &TXMLLeague::Points, 0,
               "'2l' is not a valid integer value"},
          TInt{"empty value in the team's row", "<Position>3<", "<Position><", &TXMLLeague::Position, 0,
               "'' is not a valid integer value"},
          TInt{"bad value in another team's row is not read", "<Points>16<", "<Points>x<", &TXMLLeague::Points,
               21, ""},
          TInt{"the first matching row wins", "<TeamID>586189</TeamID>", ownID, &TXMLLeague::Position, 3, ""},
          TInt{"rows after other elements are still rows", "<Team>\n    <TeamID>586189",
               "<Note/>\n  <Team>\n    <TeamID>586189", &TXMLLeague::Matches, 12, ""},
      },
      make);
}

TEST(XMLLeague, AssignCopiesTheValuesAndKeepsItsOwnTeam) {
  TXMLTeam first, second;
  first.TeamID = "177327";
  second.TeamID = "586189";
  TXMLLeague source(first), copy(second);
  source.Read(FixturePath("data/LeagueDetails.xml"));
  copy.Assign(source);
  EXPECT_EQ(copy.Position, 3);
  EXPECT_EQ(&copy.Team(), &second);
  copy.Read(FixturePath("data/LeagueDetails.xml"));
  EXPECT_EQ(copy.Position, 4);
}
}  // namespace
